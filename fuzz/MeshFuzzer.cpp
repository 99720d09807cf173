// Mesh files of any kind: the first byte picks the format, the rest is the file. The
// cheap checks and the decoder of the reader's reply take the bytes in this process;
// files that pass the checks go through the reader process, whose crashes, aborts and
// limits must all come back as refusals; every figure that comes back is sound.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ModelCheck.h"
#include "scene3d/MeshChecks.h"
#include "scene3d/MeshReaderProcess.h"
#include "scene3d/MeshReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lw;
  if (size == 0) return 0;
  const auto format =
      static_cast<MeshFormat>(data[0] % (static_cast<unsigned>(MeshFormat::Amf) + 1));
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string reason;
  G3dBlock block;
  if (DecodeMeshReply(bytes, block, reason)) {
    fuzz::CheckBlock(block);
    G3dBlock again;
    if (!DecodeMeshReply(EncodeMeshReply(block), again, reason)) std::abort();
    if (fuzz::TriangleCount(again) != fuzz::TriangleCount(block)) std::abort();
  }
  if (!MeshFileProblem(bytes, format).empty()) return 0;
  // Short limits: an input the library hangs on must end well within the fuzzer's own.
  MeshReaderLimits limits;
  limits.baseSeconds = 2;
  limits.secondsPerMiB = 0;
  G3dBlock read;
  const MeshReadResult result =
      ReadMeshApart(bytes, format, "fuzz." + std::string(MeshExtension(format)), {}, read, reason,
                    nullptr, limits);
  if (result == MeshReadResult::Stopped) std::abort();  // nothing asked it to stop
  if (result == MeshReadResult::Read) fuzz::CheckBlock(read);
  if (result == MeshReadResult::Refused && reason.empty()) std::abort();
  return 0;
}
