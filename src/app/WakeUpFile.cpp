#include "app/WakeUpFile.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <utility>

namespace lw {

WakeUpFile::WakeUpFile() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeUpFile::~WakeUpFile() {
  if (fd_ >= 0) close(fd_);
}

WakeUpFile::WakeUpFile(WakeUpFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

WakeUpFile& WakeUpFile::operator=(WakeUpFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

void WakeUpFile::Signal() const {
  if (fd_ >= 0) eventfd_write(fd_, 1);
}

void WakeUpFile::Drain() const {
  eventfd_t count = 0;
  if (fd_ >= 0) eventfd_read(fd_, &count);
}

}  // namespace lw
