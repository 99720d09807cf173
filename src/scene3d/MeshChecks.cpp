#include "scene3d/MeshChecks.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
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

// A header that ends, and a body that can hold what the header counts: a binary body
// every element's fixed properties and the count byte of each list, an ASCII body at
// least two bytes (a number and a separator) for each element.
std::string PlyProblem(std::string_view bytes) {
  if (!StartsWithNoCase(bytes, "ply")) return "a PLY file starts with \"ply\"";
  const std::size_t end = bytes.find("end_header");
  const std::size_t body = end == std::string_view::npos ? end : bytes.find('\n', end);
  if (body == std::string_view::npos) return "the PLY header has no end_header line";
  bool binary = false;
  std::uint64_t needed = 0, count = 0, elements = 0;
  std::string_view header = bytes.substr(0, end);
  while (!header.empty()) {
    const std::size_t eol = std::min(header.find('\n'), header.size());
    const std::vector<std::string_view> w = Words(header.substr(0, eol));
    header.remove_prefix(std::min(eol + 1, header.size()));
    if (w.size() >= 2 && w[0] == "format") binary = w[1] != "ascii";
    if (w.size() >= 3 && w[0] == "element") {
      count = 0;
      const auto [ptr, error] = std::from_chars(w[2].data(), w[2].data() + w[2].size(), count);
      if (error != std::errc{} || count > (std::uint64_t{1} << 40)) {
        return "the PLY header's count of " + std::string(w[1]) + " is not a number";
      }
      elements += count;
    }
    if (w.size() >= 3 && w[0] == "property") {
      const std::size_t size = SizeOfType(w[1] == "list" ? w[2] : w[1]);
      if (size == 0) return "the PLY header names an unknown type";
      needed += count * size;
    }
  }
  const std::uint64_t bodyBytes = bytes.size() - body - 1;
  if (binary && needed > bodyBytes) {
    return "the PLY header declares " + std::to_string(needed) + " bytes of data in " +
           std::to_string(bodyBytes);
  }
  if (!binary && elements > bodyBytes / 2) {
    return "the PLY header declares " + std::to_string(elements) + " elements in " +
           std::to_string(bytes.size()) + " bytes";
  }
  return {};
}

// The end of the central directory (the Zip64 one where the package has it) and the
// directory it points at lie within the file, and the directory can hold its entries.
std::string ZipProblem(std::string_view bytes) {
  constexpr std::size_t kEndRecord = 22;
  if (bytes.size() < kEndRecord || bytes.substr(0, 2) != "PK") return "the package is not a zip";
  const std::size_t from = bytes.size() > 65557 ? bytes.size() - 65557 : 0;
  const std::size_t end = bytes.rfind(std::string_view("PK\x05\x06", 4));
  if (end == std::string_view::npos || end < from || bytes.size() - end < kEndRecord) {
    return "the zip package has no directory";
  }
  auto u16 = [&bytes](std::size_t at) {
    return std::uint32_t{static_cast<std::uint8_t>(bytes[at])} |
           std::uint32_t{static_cast<std::uint8_t>(bytes[at + 1])} << 8;
  };
  auto u64 = [&bytes](std::size_t at) {
    return std::uint64_t{U32At(bytes, at)} | std::uint64_t{U32At(bytes, at + 4)} << 32;
  };
  std::uint64_t entries = u16(end + 10), size = U32At(bytes, end + 12);
  std::uint64_t offset = U32At(bytes, end + 16);
  if (entries == 0xFFFF || size == 0xFFFFFFFF || offset == 0xFFFFFFFF) {
    // Zip64: a locator just before the end record names the Zip64 end record.
    if (end < 20 || bytes.substr(end - 20, 4) != std::string_view("PK\x06\x07", 4)) {
      return "the Zip64 package has no locator";
    }
    const std::uint64_t at = u64(end - 20 + 8);
    if (at > end || end - at < 56 || bytes.substr(at, 4) != std::string_view("PK\x06\x06", 4)) {
      return "the Zip64 end record lies outside the file";
    }
    entries = u64(at + 32);
    size = u64(at + 40);
    offset = u64(at + 48);
  }
  if (offset > bytes.size() || size > bytes.size() - offset) {
    return "the zip directory lies outside the file";
  }
  if (entries > size / 46)
    return "the zip directory cannot hold its " + std::to_string(entries) + " entries";
  return {};
}

}  // namespace

bool StartsWithNoCase(std::string_view bytes, std::string_view word) {
  if (bytes.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(bytes[i])) != word[i]) return false;
  }
  return true;
}

std::string MeshFileProblem(std::string_view bytes, MeshFormat format) {
  if (bytes.empty()) return "the file is empty";
  switch (format) {
    case MeshFormat::Glb:
    case MeshFormat::Gltf:
      if (bytes.substr(0, 4) == "glTF" && !SoundGlb(bytes)) {
        return "the binary glTF's lengths run past its end";
      }
      return {};
    case MeshFormat::PlyBinary:
      return PlyProblem(bytes);
    case MeshFormat::ThreeMf:
      return ZipProblem(bytes);
    default:
      return {};
  }
}

}  // namespace lw
