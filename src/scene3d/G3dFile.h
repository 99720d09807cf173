// The file half of the 3D formats: paths in, result codes out. The commands turn
// the codes into status texts.
#pragma once

#include <string>

#include "document/WorkControl.h"
#include "scene3d/G3dModel.h"
#include "scene3d/MeshFormats.h"

namespace lw {

class FileSystem;
struct Palette;

enum G3dFileResult : int {
  FileDone = 0,
  FileCannotRead = 2,
  FileCannotWrite = 3,
  FileUnknownFormat = 4,
  FileStopped = 5,      // the work was asked to stop; nothing was written
  FileOutOfMemory = 6,  // the save ran out of memory; nothing was written
};

// Reads into and writes from the current block; colour numbers go through the 3D
// palette. With no block every operation does nothing and reports FileDone.
class G3dFile {
 public:
  G3dFile(G3dBlock* block, const Palette* palette3D) : block_(block), palette_(palette3D) {}

  // Writes through a temporary file, so a failed write keeps the old file.
  int WriteDxf(const std::string& path);
  int ReadDxf(const std::string& path);
  int ReadT3d(const std::string& path);
  // The mesh formats: a file that is not sound in every part reads as an unknown
  // format and leaves the block as it was. Companion files (an OBJ's material
  // library, a glTF's buffers) are read from the file's folder and written beside it.
  int ReadMesh(const std::string& path, MeshFormat format);
  int WriteMesh(const std::string& path, MeshFormat format);

  G3dBlock* Block() const { return block_; }
  // Why the last mesh read gave FileUnknownFormat, in words for the command line.
  const std::string& ReadReason() const { return readReason_; }
  // The errno value behind the last FileCannotWrite; 0 when the format could not hold
  // the figure.
  int WriteError() const { return writeError_; }
  // Far above any real figure (a 200 000-face DXF is some 60 MB), but a bound: a
  // device file or a runaway file must not be read until memory runs out. A larger
  // file is refused as an unknown format.
  static constexpr long long DefaultMaxReadBytes = 1LL << 30;
  void SetMaxReadBytes(long long maxBytes) { maxReadBytes_ = maxBytes; }
  void SetBlock(G3dBlock* block) { block_ = block; }
  // Reading and writing look at the stop request of work between pieces of the file:
  // a stopped write (FileStopped) keeps the old file and leaves no temporary file; a
  // stopped read (FileStopped) leaves the block as it was.
  void SetWork(const WorkControl* work) { work_ = work; }
  // The file-system calls mesh saves make (the system's unless set; tests put in one
  // that acts on cue).
  void SetFileSystem(FileSystem* files) { files_ = files; }

 private:
  int WriteMeshFiles(const std::string& path, MeshFormat format);

  G3dBlock* block_;
  const Palette* palette_;
  int result_ = FileDone;
  int writeError_ = 0;
  std::string readReason_;
  long long maxReadBytes_ = DefaultMaxReadBytes;
  const WorkControl* work_ = nullptr;
  FileSystem* files_ = nullptr;
};

}  // namespace lw
