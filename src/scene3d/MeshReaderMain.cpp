// linewright-mesh-reader: reads one mesh file with the mesh library, apart from the
// programs (see MeshReaderProcess.h). Its standard input and output are one socket
// to the program that started it; it takes its limits from the command line, reads
// the request, asks for companion files by name, answers with the figure or with why
// there is none, and ends. Whatever the library does to this process, the program
// only sees an answer or its end.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include <sys/resource.h>
#include <unistd.h>

#include "scene3d/MeshImport.h"
#include "scene3d/MeshPackage.h"
#include "scene3d/MeshReaderProcess.h"
#include "scene3d/MeshReply.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define LW_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define LW_SANITIZED 1
#endif

namespace lw {
namespace {

bool WriteAll(std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(1, data.data(), data.size());
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool ReadAll(char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::read(0, data, size);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// A little-endian number of the request; a request cut short ends the reader.
template <class T>
T ReadNumber() {
  char bytes[sizeof(T)];
  if (!ReadAll(bytes, sizeof bytes)) std::_Exit(2);
  T v = 0;
  for (std::size_t i = sizeof(T); i-- > 0;)
    v = static_cast<T>(v << 8 | static_cast<std::uint8_t>(bytes[i]));
  return v;
}

bool Send(MeshMessage type, std::string_view payload) {
  std::string head(1, type);
  for (int i = 0; i < 8; ++i) head += static_cast<char>(std::uint64_t{payload.size()} >> (8 * i));
  return WriteAll(head) && WriteAll(payload);
}

// The limit the memory ran out of, for the one message there is still room for.
char gOutOfMemory[96] = "the reader ran out of its memory limit";

[[noreturn]] void OutOfMemory() {
  const std::size_t length = std::strlen(gOutOfMemory);
  char head[9] = {kMeshRefused};
  for (int i = 0; i < 8; ++i) head[1 + i] = static_cast<char>(std::uint64_t{length} >> (8 * i));
  static_cast<void>(::write(1, head, sizeof head));
  static_cast<void>(::write(1, gOutOfMemory, length));
  std::_Exit(3);
}

void Limit(int resource, rlim_t value) {
  const rlimit limit{value, value};
  ::setrlimit(resource, &limit);
}

void ApplyLimits(int argc, char** argv) {
  rlim_t memory = rlim_t{2} << 30, seconds = 120;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view flag = argv[i];
    const rlim_t value = std::strtoull(argv[i + 1], nullptr, 10);
    if (flag == "--memory") memory = value;
    if (flag == "--seconds") seconds = value;
  }
#ifndef LW_SANITIZED
  // The sanitizers' shadow memory does not fit in any sensible limit.
  Limit(RLIMIT_AS, memory);
#endif
  std::snprintf(gOutOfMemory, sizeof gOutOfMemory, "the reader ran out of its %.1f GB limit",
                static_cast<double>(memory) / (1u << 30));
  // A soft limit sends SIGXCPU, the hard one a second later ends it for sure.
  const rlimit cpu{seconds, seconds + 1};
  ::setrlimit(RLIMIT_CPU, &cpu);
  Limit(RLIMIT_CORE, 0);
  Limit(RLIMIT_FSIZE, 0);
  std::set_new_handler(OutOfMemory);
}

std::optional<std::string> AskForCompanion(const std::string& name) {
  if (!Send(kCompanionWanted, name)) std::_Exit(2);
  char found = 0;
  if (!ReadAll(&found, 1)) std::_Exit(2);
  const std::uint64_t size = ReadNumber<std::uint64_t>();
  std::string bytes(size, '\0');
  if (!ReadAll(bytes.data(), size)) std::_Exit(2);
  if (found == 0) return std::nullopt;
  return bytes;
}

int Serve() {
  char magic[4];
  if (!ReadAll(magic, 4) || std::string_view(magic, 4) != kMeshRequestMagic) return 2;
  const std::uint32_t format = ReadNumber<std::uint32_t>();
  const std::uint32_t nameLength = ReadNumber<std::uint32_t>();
  if (format > static_cast<std::uint32_t>(MeshFormat::Amf) || nameLength > 4096) return 2;
  std::string name(nameLength, '\0');
  if (!ReadAll(name.data(), nameLength)) return 2;
  std::string bytes(ReadNumber<std::uint64_t>(), '\0');
  if (!ReadAll(bytes.data(), bytes.size())) return 2;
  const auto meshFormat = static_cast<MeshFormat>(format);
  std::string reason;
  if (meshFormat == MeshFormat::ThreeMf) {
    std::optional<std::string> plain = PlainPackage(bytes, reason);
    if (!plain) return Send(kMeshRefused, reason) ? 0 : 2;
    bytes = std::move(*plain);
  }
  G3dBlock figure;
  if (!ReadMeshHere(bytes, meshFormat, name, AskForCompanion, figure, reason)) {
    return Send(kMeshRefused, reason) ? 0 : 2;
  }
  return Send(kMeshRead, EncodeMeshReply(figure)) ? 0 : 2;
}

}  // namespace
}  // namespace lw

#ifdef LW_SANITIZED
// Without an address-space limit, the sanitized reader keeps its allocations bounded
// this way: a failed one reaches the new handler as in the plain reader. Its leaks at
// the end do not concern the program, which has the reply by then.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=0:allocator_may_return_null=1:max_allocation_size_mb=2048:"
         "hard_rss_limit_mb=4096";
}
#endif

int main(int argc, char** argv) {
  lw::ApplyLimits(argc, argv);
  return lw::Serve();
}
