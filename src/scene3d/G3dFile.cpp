#include "scene3d/G3dFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "document/AtomicFile.h"
#include "scene3d/DxfFormat.h"
#include "scene3d/MeshReaderProcess.h"
#include "scene3d/MeshWriters.h"
#include "scene3d/T3dFormat.h"

namespace lw {
namespace {

enum class ReadOutcome { Read, CannotRead, TooLarge, Stopped };

// In pieces, so that a stop request is answered during a long read: a megabyte
// takes a few milliseconds even from a slow disk.
ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes, qint64 maxBytes,
                          const WorkControl* work) {
  constexpr qint64 kPiece = 1 << 20;
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return ReadOutcome::CannotRead;
  bytes.clear();
  for (;;) {
    if (Stopped(work)) return ReadOutcome::Stopped;
    const qint64 room = maxBytes + 1 - static_cast<qint64>(bytes.size());
    const QByteArray data = file.read(std::min(kPiece, room));
    if (file.error() != QFileDevice::NoError) return ReadOutcome::CannotRead;
    bytes.append(data.constData(), static_cast<std::size_t>(data.size()));
    if (static_cast<qint64>(bytes.size()) > maxBytes) return ReadOutcome::TooLarge;
    if (data.isEmpty() || data.size() < std::min(kPiece, room)) break;
  }
  return ReadOutcome::Read;
}

int FailedRead(ReadOutcome outcome) {
  switch (outcome) {
    case ReadOutcome::TooLarge:
      return FileUnknownFormat;
    case ReadOutcome::Stopped:
      return FileStopped;
    default:
      return FileCannotRead;
  }
}

// Piece by piece into the new file, which replaces the old one only when every piece
// was written; a stop or a failure keeps the old file.
int WriteDxfFile(const std::string& path, const G3dBlock& block, const WorkControl* work,
                 int& error) {
  AtomicFile file(path);
  const bool written = !file.Failed() && lw::WriteDxf(
                                             block,
                                             [&file, work](std::string_view piece) {
                                               return !Stopped(work) && file.Write(piece);
                                             },
                                             work);
  if (!written || Stopped(work)) {
    file.Discard();
    error = Stopped(work) ? ECANCELED : file.Error();
    return Stopped(work) ? FileStopped : FileCannotWrite;
  }
  const bool committed = file.Commit();
  error = file.Error();
  return committed ? FileDone : FileCannotWrite;
}

// Companions are looked for beside the main file, each under the same bound.
CompanionLoader LoaderBeside(const std::string& path, qint64 maxBytes, const WorkControl* work) {
  const QDir folder = QFileInfo(QString::fromStdString(path)).absoluteDir();
  return [folder, maxBytes, work](const std::string& name) -> std::optional<std::string> {
    std::string bytes;
    if (ReadWholeFile(folder.filePath(QString::fromStdString(name)).toStdString(), bytes, maxBytes,
                      work) != ReadOutcome::Read) {
      return std::nullopt;
    }
    return bytes;
  };
}

}  // namespace

int G3dFile::ReadMesh(const std::string& path, MeshFormat format) {
  if (block_ == nullptr) return result_ = FileDone;
  std::string bytes;
  if (const ReadOutcome outcome = ReadWholeFile(path, bytes, maxReadBytes_, work_);
      outcome != ReadOutcome::Read) {
    readReason_ = outcome == ReadOutcome::TooLarge ? "the file is larger than any figure" : "";
    return result_ = FailedRead(outcome);
  }
  const std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
  switch (ReadMeshApart(bytes, format, name, LoaderBeside(path, maxReadBytes_, work_), *block_,
                        readReason_, work_)) {
    case MeshReadResult::Read:
      return result_ = FileDone;
    case MeshReadResult::Stopped:
      return result_ = FileStopped;
    case MeshReadResult::Refused:
      break;
  }
  return result_ = FileUnknownFormat;
}

int G3dFile::WriteMesh(const std::string& path, MeshFormat format) {
  if (block_ == nullptr) return result_ = FileDone;
  writeError_ = 0;
  try {
    return result_ = WriteMeshFiles(path, format);
  } catch (const std::bad_alloc&) {
    writeError_ = ENOMEM;
    return result_ = FileOutOfMemory;
  }
}

int G3dFile::WriteMeshFiles(const std::string& path, MeshFormat format) {
  const QFileInfo info(QString::fromStdString(path));
  // One save: every file is written before any replaces its old one, the main file
  // (which names the library) last.
  const std::string libraryName = info.completeBaseName().toStdString() + ".mtl";
  FileSystem& files = files_ != nullptr ? *files_ : SystemFileSystem();
  std::optional<AtomicFile> library;
  if (format == MeshFormat::Obj) {
    library.emplace(info.absoluteDir().filePath(QString::fromStdString(libraryName)).toStdString(),
                    files);
  }
  AtomicFile main(path, files);
  const auto into = [](AtomicFile* file) {
    return [file](std::string_view piece) { return file != nullptr && file->Write(piece); };
  };
  const MeshSinks sinks{into(&main), into(library ? &*library : nullptr), libraryName};
  const MeshWriteResult written = main.Failed() || (library && library->Failed())
                                      ? MeshWriteResult::Failed
                                      : WriteMeshPieces(*block_, format, sinks, work_);
  std::vector<AtomicFile*> order;
  if (library) order.push_back(&*library);
  order.push_back(&main);
  if (written != MeshWriteResult::Written || Stopped(work_)) {
    for (AtomicFile* file : order) {
      if (writeError_ == 0) writeError_ = file->Error();
      file->Discard();
    }
    if (written == MeshWriteResult::OutOfMemory) writeError_ = ENOMEM;
    return written == MeshWriteResult::OutOfMemory ? FileOutOfMemory
           : Stopped(work_)                        ? FileStopped
                                                   : FileCannotWrite;
  }
  const bool committed = CommitTogether(order);
  for (const AtomicFile* file : order) {
    if (writeError_ == 0 && file->Error() != ECANCELED) writeError_ = file->Error();
  }
  return committed ? FileDone : FileCannotWrite;
}

int G3dFile::WriteDxf(const std::string& path) {
  if (block_ == nullptr) return result_ = FileDone;
  return result_ = WriteDxfFile(path, *block_, work_, writeError_);
}

int G3dFile::ReadDxf(const std::string& path) {
  if (block_ == nullptr) return result_ = FileDone;
  std::string bytes;
  if (const ReadOutcome outcome = ReadWholeFile(path, bytes, maxReadBytes_, work_);
      outcome != ReadOutcome::Read) {
    return result_ = FailedRead(outcome);
  }
  switch (lw::ReadDxf(bytes, *block_, *palette_, work_)) {
    case DxfReadResult::Read:
      return result_ = FileDone;
    case DxfReadResult::Stopped:
      return result_ = FileStopped;
    case DxfReadResult::NotDxf:
      break;
  }
  return result_ = FileUnknownFormat;
}

int G3dFile::ReadT3d(const std::string& path) {
  if (block_ == nullptr) return result_ = FileDone;
  std::string bytes;
  if (const ReadOutcome outcome = ReadWholeFile(path, bytes, maxReadBytes_, work_);
      outcome != ReadOutcome::Read) {
    return result_ = FailedRead(outcome);
  }
  const T3dResult read = lw::ReadT3d(bytes, *block_, *palette_);
  return result_ = read == T3dResult::Read ? FileDone : FileUnknownFormat;
}

}  // namespace lw
