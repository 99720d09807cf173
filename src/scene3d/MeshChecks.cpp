#include "scene3d/MeshChecks.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

namespace lw {
namespace {

std::uint32_t U32At(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    v |= std::uint32_t{static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)])}
         << (8 * i);
  }
  return v;
}

// The binary container: a 12-byte header whose length is the file's, then chunks
// of a length and a type each, none running past the end.
bool SoundGlb(std::string_view bytes) {
  if (bytes.size() < 12 || U32At(bytes, 8) != bytes.size()) return false;
  std::size_t at = 12;
  while (at < bytes.size()) {
    if (bytes.size() - at < 8) return false;
    const std::uint64_t length = U32At(bytes, at);
    if (length > bytes.size() - at - 8) return false;
    at += 8 + static_cast<std::size_t>(length);
  }
  return true;
}

std::size_t SizeOfType(std::string_view type) {
  static constexpr std::pair<std::string_view, std::size_t> sizes[] = {
      {"char", 1},  {"uchar", 1},   {"int8", 1},   {"uint8", 1},  {"short", 2}, {"ushort", 2},
      {"int16", 2}, {"uint16", 2},  {"int", 4},    {"uint", 4},   {"int32", 4}, {"uint32", 4},
      {"float", 4}, {"float32", 4}, {"double", 8}, {"float64", 8}};
  for (const auto& [name, size] : sizes) {
    if (name == type) return size;
  }
  return 0;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t\r", at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
    words.push_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

// A header that ends, and a binary body that holds at least what the header counts:
// every element's fixed properties and the count byte of each list. Text bodies are
// left to the reader.
bool SoundPly(std::string_view bytes) {
  const std::size_t end = bytes.find("end_header");
  if (end == std::string_view::npos) return false;
  const std::size_t body = bytes.find('\n', end);
  if (body == std::string_view::npos) return false;
  bool binary = false;
  std::uint64_t needed = 0, count = 0;
  std::string_view header = bytes.substr(0, end);
  while (!header.empty()) {
    const std::size_t eol = std::min(header.find('\n'), header.size());
    const std::vector<std::string_view> w = Words(header.substr(0, eol));
    header.remove_prefix(std::min(eol + 1, header.size()));
    if (w.size() >= 2 && w[0] == "format") binary = w[1] != "ascii";
    if (w.size() >= 3 && w[0] == "element") {
      count = 0;
      const auto [ptr, error] = std::from_chars(w[2].data(), w[2].data() + w[2].size(), count);
      if (error != std::errc{} || count > (std::uint64_t{1} << 40)) return false;
    }
    if (w.size() >= 3 && w[0] == "property") {
      const std::size_t size = SizeOfType(w[1] == "list" ? w[2] : w[1]);
      if (size == 0) return false;
      needed += count * size;
    }
  }
  return !binary || needed <= bytes.size() - body - 1;
}

}  // namespace

bool PlausibleMeshFile(std::string_view bytes, MeshFormat format) {
  if ((format == MeshFormat::Glb || format == MeshFormat::Gltf) && bytes.substr(0, 4) == "glTF") {
    return SoundGlb(bytes);
  }
  if (format == MeshFormat::PlyBinary && bytes.substr(0, 3) == "ply") return SoundPly(bytes);
  return true;
}

}  // namespace lw
