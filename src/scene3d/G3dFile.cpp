#include "G3dFile.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

#include "DxfFormat.h"
#include "T3dFormat.h"

namespace lw {
namespace {

enum class ReadOutcome { Read, CannotRead, TooLarge };

ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes, qint64 maxBytes) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return ReadOutcome::CannotRead;
  const QByteArray data = file.read(maxBytes + 1);
  if (file.error() != QFileDevice::NoError) return ReadOutcome::CannotRead;
  if (data.size() > maxBytes) return ReadOutcome::TooLarge;
  bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
  return ReadOutcome::Read;
}

int FailedRead(ReadOutcome outcome) {
  return outcome == ReadOutcome::TooLarge ? FileUnknownFormat : FileCannotRead;
}

// Through a temporary file renamed over the target only when every piece was
// written, so a failed save keeps the previous file.
bool WriteDxfFile(const std::string& path, const G3dBlock& block) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  const bool written = lw::WriteDxf(block, [&file](std::string_view piece) {
    const auto size = static_cast<qint64>(piece.size());
    return file.write(piece.data(), size) == size;
  });
  if (!written) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace

int G3dFile::WriteDxf(const std::string& path) {
  if (block_ == nullptr) return result_ = FileDone;
  return result_ = WriteDxfFile(path, *block_) ? FileDone : FileCannotWrite;
}

int G3dFile::ReadDxf(const std::string& path) {
  if (block_ == nullptr) return result_ = FileDone;
  std::string bytes;
  if (const ReadOutcome outcome = ReadWholeFile(path, bytes, maxReadBytes_);
      outcome != ReadOutcome::Read) {
    return result_ = FailedRead(outcome);
  }
  lw::ReadDxf(bytes, *block_, *palette_);
  return result_ = FileDone;
}

int G3dFile::ReadT3d(const std::string& path) {
  if (block_ == nullptr) return result_ = FileDone;
  std::string bytes;
  if (const ReadOutcome outcome = ReadWholeFile(path, bytes, maxReadBytes_);
      outcome != ReadOutcome::Read) {
    return result_ = FailedRead(outcome);
  }
  const T3dResult read = lw::ReadT3d(bytes, *block_, *palette_);
  return result_ = read == T3dResult::Read ? FileDone : FileUnknownFormat;
}

}  // namespace lw
