// Mesh files from anywhere are read by the mesh library in a small process of ours,
// started for each file with limits on memory and processor time: the library stops
// its process on its own internal checks, follows a damaged count into endless loops
// and recurses as deep as a file nests, and none of that may end the program or take
// the document with it. The process gets nothing but the file's bytes (and the
// companion files it asks for by name) and hands back the figure as plain numbers,
// which our side checks before use (MeshReply.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "document/WorkControl.h"
#include "scene3d/MeshFormats.h"

namespace lw {

struct MeshReaderLimits {
  // Address space of the reader: this much plus eight times the file's size, and never
  // more than a quarter of the machine's memory.
  std::uint64_t baseMemoryBytes = std::uint64_t{2} << 30;
  // Processor time: this much plus so much per MiB of the file (the library reads some
  // ten MiB a second); the wall clock allows twice that and two seconds more.
  int baseSeconds = 10;
  int secondsPerMiB = 2;
};

// The reader program's file name; it lives beside the programs, or in the library
// folder of an installed program.
inline constexpr const char* kMeshReaderFile = "linewright-mesh-reader";

// The request and the messages of the conversation with the reader (see
// MeshReaderMain.cpp): the request is "LWMQ", u32 format, u32 name length, name,
// u64 size, bytes; then the reader sends messages of a type byte and a u64 length:
// 'C' asks for a companion file by name (answered by a found byte, a u64 length and
// the bytes), 'M' is the figure (MeshReply.h), 'X' a refusal with its reason.
inline constexpr std::string_view kMeshRequestMagic = "LWMQ";
enum MeshMessage : char { kCompanionWanted = 'C', kMeshRead = 'M', kMeshRefused = 'X' };

enum class MeshReadResult { Read, Refused, Stopped };

// Reads the file's bytes in a reader process; only a sound figure replaces the
// objects of `block`. Refused, with the reason in words for the command line, when
// the file is not a sound mesh or the reader crashed, hung or ran out of its limits;
// Stopped (the reader ended within a few hundredths of a second) when `work` asks.
MeshReadResult ReadMeshApart(std::string_view bytes, MeshFormat format, const std::string& fileName,
                             const CompanionLoader& companions, G3dBlock& block,
                             std::string& reason, const WorkControl* work,
                             const MeshReaderLimits& limits = {});

}  // namespace lw
