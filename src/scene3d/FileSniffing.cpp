#include "scene3d/FileSniffing.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "scene3d/MeshChecks.h"

namespace lw {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(start, end - start + 1);
}

// The first lines of the head, trimmed, blank ones left out.
std::vector<std::string_view> FirstLines(std::string_view head, std::size_t count) {
  std::vector<std::string_view> lines;
  while (!head.empty() && lines.size() < count) {
    const std::size_t end = std::min(head.find_first_of("\r\n"), head.size());
    const std::string_view line = Trimmed(head.substr(0, end));
    if (!line.empty()) lines.push_back(line);
    head.remove_prefix(std::min(end + 1, head.size()));
  }
  return lines;
}

// A binary STL's size follows from its face count: an 80-byte header, the count,
// 50 bytes a face.
bool BinaryStlSize(std::string_view head, std::uint64_t size) {
  if (head.size() < 84 || size < 84) return false;
  std::uint64_t faces = 0;
  for (int i = 3; i >= 0; --i) faces = faces << 8 | static_cast<std::uint8_t>(head[80 + i]);
  return 84 + 50 * faces == size;
}

bool IsDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<Space3DFileKind> TextKind(std::string_view head) {
  const std::string_view text = Trimmed(head);
  if (StartsWithNoCase(text, "solid")) return Space3DFileKind::StlBinary;  // reads any STL
  if (text.starts_with('{')) return Space3DFileKind::Gltf;
  if (text.starts_with('<') && text.find("<amf") != std::string_view::npos) {
    return Space3DFileKind::Amf;
  }
  const std::vector<std::string_view> lines = FirstLines(head, 8);
  if (lines.empty()) return std::nullopt;
  const std::string_view first = lines[0].substr(0, lines[0].find_first_of(" \t"));
  if (first.size() >= 3 && first.substr(first.size() - 3) == "OFF") return Space3DFileKind::Off;
  // DXF: group codes and values in turns, a section first.
  if (lines.size() >= 2 && IsDigits(lines[0]) && head.find("SECTION") != std::string_view::npos) {
    return Space3DFileKind::Dxf;
  }
  for (const std::string_view line : lines) {
    for (const std::string_view keyword : {"v ", "o ", "g ", "mtllib ", "usemtl ", "f "}) {
      if (line.starts_with(keyword)) return Space3DFileKind::Obj;
    }
  }
  return std::nullopt;
}

}  // namespace

Space3DFileKind KindOfContent(std::string_view head, std::uint64_t size, Space3DFileKind fallback) {
  if (head.starts_with("glTF")) return Space3DFileKind::Glb;
  if (head.starts_with(std::string_view("PK\x03\x04", 4))) return Space3DFileKind::ThreeMf;
  if (head.size() > 3 && head.starts_with("T3D") && head[3] == 1) return Space3DFileKind::T3d;
  if (StartsWithNoCase(head, "ply") && head.size() > 3 && (head[3] == '\n' || head[3] == '\r')) {
    return Space3DFileKind::Ply;
  }
  // Before the text forms: a binary STL's header may well begin with "solid".
  if (BinaryStlSize(head, size)) return Space3DFileKind::StlBinary;
  return TextKind(head).value_or(fallback);
}

Space3DFileKind KindOfFile(const std::string& path, Space3DFileKind fallback) {
  // A pipe or a device would keep the reading waiting, or never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return fallback;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return fallback;
  const std::streamoff size = in.tellg();
  in.seekg(0);
  std::string head(1024, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return KindOfContent(head, size < 0 ? 0 : static_cast<std::uint64_t>(size), fallback);
}

}  // namespace lw
