#include "document/AtomicFile.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lw {
namespace {

namespace fs = std::filesystem;

// Small pieces are gathered into writes of this size.
constexpr std::size_t kHeldBytes = std::size_t{64} << 10;
// A large file is sent to the disk in windows of this size while it is written, so the
// disk works beside whatever produces the bytes instead of all at the final flush.
// The writer waits for the window before the last, so at most two are in flight: a
// stopped save removing its file waits for no more than those, even on a slow stick.
constexpr long long kWriteBehindBytes = 2LL << 20;

int ErrnoOr0(int rc) {
  return rc < 0 ? errno : 0;
}

class SystemFiles final : public FileSystem {
 public:
  int CreateNew(const std::string& path, unsigned mode, int& fd) override {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd < 0) return errno;
    // The umask may have narrowed a replaced file's permissions; they are kept as
    // they were (best effort: a file system without them keeps its own).
    if (mode != 0666) static_cast<void>(::fchmod(fd, static_cast<mode_t>(mode)));
    return 0;
  }
  int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
    written = 0;
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) return errno;
    written = static_cast<std::size_t>(n);
    return 0;
  }
  int Sync(int fd) override { return ErrnoOr0(::fsync(fd)); }
  int Close(int fd) override { return ErrnoOr0(::close(fd)); }
  int Rename(const std::string& from, const std::string& to) override {
    return ErrnoOr0(::rename(from.c_str(), to.c_str()));
  }
  int Link(const std::string& existing, const std::string& newName) override {
    return ErrnoOr0(::link(existing.c_str(), newName.c_str()));
  }
  int Remove(const std::string& path) override { return ErrnoOr0(::unlink(path.c_str())); }
  void WriteBehind(int fd, long long waitFrom, long long waitSize, long long offset,
                   long long size) override {
    if (waitSize > 0) {
      static_cast<void>(::sync_file_range(
          fd, waitFrom, waitSize,
          SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER));
    }
    static_cast<void>(::sync_file_range(fd, offset, size, SYNC_FILE_RANGE_WRITE));
  }
  int SyncFolder(const std::string& folder) override {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ErrnoOr0(::fsync(fd));
    ::close(fd);
    return error;
  }
};

// Where `path` really is: the file a symbolic link names, so that the link stays.
std::string ResolvedTarget(const std::string& path) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
  const fs::path resolved = fs::canonical(path, ec);
  return ec ? path : resolved.string();  // a dangling link is replaced as it is
}

std::string FolderOf(const std::string& path) {
  const fs::path folder = fs::path(path).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

// The first bytes of the name, cut at a character boundary, so that the temporary
// name stays within the file system's limit however long the target's name is.
std::string NamePrefix(const std::string& path) {
  std::string name = fs::path(path).filename().string();
  constexpr std::size_t kMax = 40;
  if (name.size() > kMax) {
    std::size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return name;
}

// A file system without fsync for this kind of file still wrote it.
bool SyncUnsupported(int error) {
  return error == EINVAL || error == ENOTSUP || error == ENOSYS;
}

}  // namespace

FileSystem& SystemFileSystem() {
  static SystemFiles files;
  return files;
}

AtomicFile::AtomicFile(std::string path, FileSystem& files)
    : files_(files), target_(ResolvedTarget(path)) {
  Open();
}

AtomicFile::~AtomicFile() {
  if (!published_) Discard();
}

void AtomicFile::Open() {
  std::error_code ec;
  const fs::file_status status = fs::status(target_, ec);
  if (fs::is_directory(status)) {
    error_ = EISDIR;
    return;
  }
  targetExisted_ = fs::exists(status);
  const unsigned mode =
      targetExisted_ ? static_cast<unsigned>(status.permissions()) & 07777u : 0666u;
  std::string hidden(1, '.');
  hidden.append(NamePrefix(target_));
  const std::string stem = (fs::path(FolderOf(target_)) / hidden).string();
  std::random_device seed;
  std::minstd_rand pick(seed());
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = stem + '.';
    for (int k = 0; k < 6; ++k) name += kLetters[pick() % (sizeof kLetters - 1)];
    name += ".tmp";
    const int error = files_.CreateNew(name, mode, fd_);
    if (error == EEXIST) continue;
    if (error != 0) {
      fd_ = -1;
      error_ = error;
      return;
    }
    temporary_ = std::move(name);
    held_.reserve(kHeldBytes);
    return;
  }
  error_ = EEXIST;
}

bool AtomicFile::Fail(int error) {
  if (error_ == 0) error_ = error;
  Discard();
  return false;
}

void AtomicFile::CloseQuietly() {
  if (fd_ >= 0) static_cast<void>(files_.Close(fd_));
  fd_ = -1;
}

void AtomicFile::Discard() {
  CloseQuietly();
  if (!temporary_.empty()) static_cast<void>(files_.Remove(temporary_));
  temporary_.clear();
  held_.clear();
  if (error_ == 0 && !published_) error_ = ECANCELED;
}

bool AtomicFile::Drain(const char* data, std::size_t size) {
  while (size > 0) {
    std::size_t written = 0;
    const int error = files_.Write(fd_, data, size, written);
    if (error == EINTR) continue;
    if (error != 0) return Fail(error);
    // A write that takes nothing and names no reason: the disk has no room.
    if (written == 0) return Fail(ENOSPC);
    data += written;
    size -= written;
    written_ += static_cast<long long>(written);
  }
  if (written_ - sentToDisk_ >= kWriteBehindBytes) {
    files_.WriteBehind(fd_, windowStart_, sentToDisk_ - windowStart_, sentToDisk_,
                       written_ - sentToDisk_);
    windowStart_ = sentToDisk_;
    sentToDisk_ = written_;
  }
  return true;
}

bool AtomicFile::Write(std::string_view bytes) {
  if (Failed() || finished_) return false;
  if (held_.size() + bytes.size() <= kHeldBytes) {
    held_.append(bytes);
    return true;
  }
  if (!Drain(held_.data(), held_.size())) return false;
  held_.clear();
  if (bytes.size() >= kHeldBytes) return Drain(bytes.data(), bytes.size());
  held_.append(bytes);
  return true;
}

bool AtomicFile::Finish() {
  if (Failed()) return false;
  if (finished_) return true;
  if (!Drain(held_.data(), held_.size())) return false;
  held_.clear();
  if (const int error = files_.Sync(fd_); error != 0 && !SyncUnsupported(error)) {
    return Fail(error);
  }
  const int error = files_.Close(fd_);
  fd_ = -1;
  if (error != 0) return Fail(error);
  finished_ = true;
  return true;
}

bool AtomicFile::Publish() {
  if (!Finish()) return false;
  if (published_) return true;
  if (const int error = files_.Rename(temporary_, target_); error != 0) return Fail(error);
  temporary_.clear();
  published_ = true;
  // The rename is done and cannot be taken back; a folder that cannot be flushed
  // still holds the new file.
  static_cast<void>(files_.SyncFolder(FolderOf(target_)));
  return true;
}

bool CommitTogether(std::span<AtomicFile* const> files) {
  bool finished = true;
  for (AtomicFile* file : files) finished = file->Finish() && finished;
  if (!finished) {
    for (AtomicFile* file : files) file->Discard();
    return false;
  }
  // A second name for each target about to be replaced, to take it back with.
  std::vector<std::string> kept(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    AtomicFile& file = *files[i];
    if (!file.targetExisted_) continue;
    const std::string name = file.temporary_ + ".old";
    if (file.files_.Link(file.target_, name) == 0) kept[i] = name;
  }
  std::size_t published = 0;
  while (published < files.size() && files[published]->Publish()) ++published;
  const bool all = published == files.size();
  for (std::size_t i = 0; i < files.size(); ++i) {
    AtomicFile& file = *files[i];
    if (!all && i < published) {
      if (!kept[i].empty()) {
        if (file.files_.Rename(kept[i], file.target_) == 0) kept[i].clear();
      } else if (!file.targetExisted_) {
        static_cast<void>(file.files_.Remove(file.target_));
      }
    }
    if (!all && i > published) file.Discard();
    if (!kept[i].empty()) static_cast<void>(file.files_.Remove(kept[i]));
  }
  return all;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, int* error) {
  AtomicFile file(path);
  const bool written = file.Write(bytes) && file.Commit();
  if (error != nullptr) *error = file.Error();
  return written;
}

std::string WriteFailureReason(int error) {
  switch (error) {
    case ENOSPC:
      return "на диску немає місця";
    case EDQUOT:
      return "вичерпано квоту диска";
    case EACCES:
    case EPERM:
      return "немає дозволу на запис";
    case EROFS:
      return "диск лише для читання";
    case EIO:
      return "помилка вводу-виводу диска";
    case ENOENT:
      return "такої папки немає";
    case ENOTDIR:
      return "частина шляху не є папкою";
    case EISDIR:
      return "на цьому місці папка";
    case ENAMETOOLONG:
      return "задовге ім'я файлу";
    case EFBIG:
      return "файл завеликий для цього диска";
    case ECANCELED:
      return "збереження перервано";
    default:
      return std::error_code(error, std::generic_category()).message();
  }
}

}  // namespace lw
