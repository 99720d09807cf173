// A write-only device over an AtomicFile, for writers that take a device (the image
// writers): the bytes stream into the new file as they come.
#pragma once

#include <QIODevice>

#include "document/AtomicFile.h"

namespace lw {

class AtomicFileDevice final : public QIODevice {
 public:
  explicit AtomicFileDevice(AtomicFile& file) : file_(file) { open(QIODevice::WriteOnly); }
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    return file_.Write({data, static_cast<std::size_t>(size)}) ? size : -1;
  }

 private:
  AtomicFile& file_;
};

}  // namespace lw
