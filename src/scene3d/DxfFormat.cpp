#include "scene3d/DxfFormat.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "document/Palette.h"
#include "document/ParallelLoop.h"

namespace lw {
namespace {

constexpr std::string_view kHeader =
    "0\r\nSECTION\r\n2\r\nHEADER\r\n0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nTABLES\r\n"
    "0\r\nTABLE\r\n2\r\nLAYER\r\n70\r\n   153\r\n";
constexpr std::string_view kLayerEntryEnd = "\r\n70\r\n0\r\n 62\r\n15\r\n 6\r\nCONTINUOUS\r\n";
constexpr std::string_view kEntitiesStart =
    "0\r\nENDTAB\r\n 0\r\nENDSEC\r\n 0\r\nSECTION\r\n 2\r\nENTITIES\r\n";
constexpr std::string_view kTrailer = "0\r\nENDSEC\r\n 0\r\nEOF";

std::string_view SkipBlanks(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  return s.substr(i);
}

// Leading blanks, an optional sign and digits; anything else ends the number, and
// no digits at all read as 0. Large values saturate instead of overflowing.
long long ParseInteger(std::string_view s) {
  s = SkipBlanks(s);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  long long value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') break;
    if (value < LLONG_MAX / 10 - 10) value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

// A decimal number with a point, whatever the locale; text that is not a number
// reads as 0.
float ParseReal(std::string_view s) {
  s = SkipBlanks(s);
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  (void)end;
  return error == std::errc{} ? static_cast<float>(value) : 0.0f;
}

// The longest number AppendFixed writes: a float near its largest, 39 digits, a
// sign, a point and six decimals.
constexpr std::size_t kMaxNumber = 64;

char* AppendText(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// A float as "%f" writes it in the C locale: six decimals, rounded to nearest with
// ties to even. value * 10^6 is exact in a double (24 significant bits times 14), so
// rounding it to an integer rounds the value exactly as the C library does; beyond
// 2^52 units, and for infinities and NaNs, the general conversion takes over.
char* AppendFixed(char* out, float value) {
  const double units = std::fabs(static_cast<double>(value) * 1e6);
  constexpr double kTwo52 = 4503599627370496.0;
  if (!(units < kTwo52)) {
    return std::to_chars(out, out + kMaxNumber, static_cast<double>(value),
                         std::chars_format::fixed, 6)
        .ptr;
  }
  if (std::signbit(value)) *out++ = '-';
  // Adding and taking away 2^52 rounds to an integer in the current (nearest) mode.
  const auto whole = static_cast<std::uint64_t>((units + kTwo52) - kTwo52);
  out = std::to_chars(out, out + 20, whole / 1000000).ptr;
  *out++ = '.';
  auto fraction = static_cast<std::uint32_t>(whole % 1000000);
  for (int i = 5; i >= 0; --i) {
    out[i] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  return out + 6;
}

// The group code lines of the twelve corner coordinates, in the order written.
constexpr std::array<std::string_view, 12> kCornerCodes = {
    " 10\r\n", " 20\r\n", " 30\r\n", " 11\r\n", " 21\r\n", " 31\r\n",
    " 12\r\n", " 22\r\n", " 32\r\n", " 13\r\n", " 23\r\n", " 33\r\n"};

std::size_t FaceBound(const G3dObject& object) {
  return 64 + object.name.size() + kCornerCodes.size() * (8 + kMaxNumber);
}

// One 3DFACE; the fourth corner repeats the third.
char* AppendFace(char* out, const G3dObject& object, const G3dTriangle& triangle) {
  out = AppendText(out, " 0\r\n3DFACE\r\n 8\r\n");
  out = AppendText(out, object.name);
  out = AppendText(out, "\r\n");
  for (std::size_t k = 0; k < 4; ++k) {
    const G3dVertex& corner = triangle.corners[k < 3 ? k : 2];
    const G3dPoint& p = object.points[static_cast<std::size_t>(corner.point)];
    const float xyz[3] = {p.x, p.y, p.z};
    for (std::size_t axis = 0; axis < 3; ++axis) {
      out = AppendText(out, kCornerCodes[k * 3 + axis]);
      out = AppendFixed(out, xyz[axis]);
      out = AppendText(out, "\r\n");
    }
  }
  out = AppendText(out, " 62\r\n");
  out = std::to_chars(out, out + 4, static_cast<unsigned>(triangle.corners[0].r)).ptr;
  return AppendText(out, "\r\n");
}

// Faces are formatted in pieces on every core, a few pieces per thread in flight,
// while the pieces before them go to the sink in order: the sink's own work (a file
// write) overlaps the formatting instead of following it. A piece's faces take at
// most kPieceBound bytes; a face takes about a quarter of its bound, so a piece holds
// about a megabyte of text (only the pages written to are ever touched).
constexpr std::size_t kPieceBound = std::size_t{4} << 20;
constexpr int kPiecesPerThread = 4;

std::size_t FacesPerPiece(const G3dObject& object) {
  return std::max<std::size_t>(1, kPieceBound / FaceBound(object));
}

struct FacePiece {
  const G3dObject* object = nullptr;
  std::size_t first = 0;
  std::size_t count = 0;
  std::unique_ptr<char[]> text;
  std::size_t size = 0;
};

// The faces of every object in pieces, in the order they are written.
class FaceWalk {
 public:
  explicit FaceWalk(const G3dBlock& block) : block_(block) {
    for (const auto& object : block.objects) {
      textBytes_ = std::max(textBytes_, FacesPerPiece(*object) * FaceBound(*object));
    }
  }

  // Lays out the next piece's faces in piece (and gives it room for their text);
  // false once every face has been handed out.
  bool Next(FacePiece& piece) {
    for (; object_ < block_.objects.size(); ++object_, first_ = 0) {
      const G3dObject& object = *block_.objects[object_];
      if (first_ >= object.triangles.size()) continue;
      piece.object = &object;
      piece.first = first_;
      piece.count = std::min(object.triangles.size() - first_, FacesPerPiece(object));
      first_ += piece.count;
      if (!piece.text) piece.text = std::make_unique_for_overwrite<char[]>(textBytes_);
      return true;
    }
    return false;
  }

 private:
  const G3dBlock& block_;
  std::size_t textBytes_ = 0;
  std::size_t object_ = 0;
  std::size_t first_ = 0;
};

void FormatPiece(FacePiece& piece) {
  char* out = piece.text.get();
  const G3dObject& object = *piece.object;
  for (std::size_t i = piece.first; i < piece.first + piece.count; ++i) {
    out = AppendFace(out, object, object.triangles[i]);
  }
  piece.size = static_cast<std::size_t>(out - piece.text.get());
}

// Every face of the block, in order; false once the sink refuses a piece or a stop
// is requested (nothing more is offered then).
bool WriteFaces(const G3dBlock& block, const DxfSink& sink, const WorkControl& work) {
  const int threads = WorkerSlots(&work);
  // One thread takes one piece at a time: one buffer, which stays in the cache.
  const int buffers = threads > 1 ? threads * kPiecesPerThread : 1;
  std::vector<FacePiece> pieces(static_cast<std::size_t>(buffers));
  const auto piece = [&pieces](int buffer) -> FacePiece& {
    return pieces[static_cast<std::size_t>(buffer)];
  };
  FaceWalk walk(block);
  // Set by the giving stage, read by the taking one, which may run at the same time.
  std::atomic<bool> refused{false};
  const auto take = [&](int buffer) {
    return !refused.load(std::memory_order_relaxed) && walk.Next(piece(buffer));
  };
  const auto format = [&](int buffer, int) { FormatPiece(piece(buffer)); };
  const auto give = [&](int buffer) {
    if (refused.load(std::memory_order_relaxed) || Stopped(&work)) return;
    const FacePiece& p = piece(buffer);
    if (!sink(std::string_view(p.text.get(), p.size))) {
      refused.store(true, std::memory_order_relaxed);
    }
  };
  StreamInOrder(&work, threads, buffers, take, format, give);
  return !refused.load(std::memory_order_relaxed) && !Stopped(&work);
}

using Corner = std::array<float, 3>;

// What the entity reader carries from one group to the next (and from one entity
// to the next: a face inherits whatever the previous one left).
struct FaceState {
  std::size_t object = 0;
  int colour = 0;
  std::array<Corner, 4> corners{};
  bool fourthCorner = false;
  int kind = 0;
  bool inFace = false;
  // Faces usually repeat the layer of the one before; the objects do not change
  // while entities are read, so the last lookup can be reused.
  std::string layer;
  bool layerKnown = false;
};

void AddFaceTriangle(G3dObject& object, const Corner& a, const Corner& b, const Corner& c,
                     const Palette& palette3D, int colour) {
  G3dTriangle& triangle = AppendTriangle(object);
  AddCorner(triangle, 0, object, a[0], a[1], a[2]);
  AddCorner(triangle, 1, object, b[0], b[1], b[2]);
  AddCorner(triangle, 2, object, c[0], c[1], c[2]);
  const std::uint8_t* rgb = &palette3D.bytes[static_cast<std::size_t>(colour & 0xFF) * 3];
  for (G3dVertex& v : triangle.corners) {
    v.r = rgb[0];
    v.g = rgb[1];
    v.b = rgb[2];
  }
}

void EmitFace(FaceState& state, G3dBlock& block, const Palette& palette3D) {
  // Faces that come before any layer still need an object to go into.
  if (block.objects.empty()) AppendObject(block, UnnamedObjectName);
  const std::size_t index = std::min(state.object, block.objects.size() - 1);
  G3dObject& object = *block.objects[index];
  const auto& p = state.corners;
  if (state.fourthCorner && p[3] != p[2]) {
    AddFaceTriangle(object, p[3], p[2], p[1], palette3D, state.colour);
    AddFaceTriangle(object, p[3], p[1], p[0], palette3D, state.colour);
    state.fourthCorner = false;
  } else {
    AddFaceTriangle(object, p[2], p[1], p[0], palette3D, state.colour);
  }
}

// The first object whose name begins with the layer value; the last one otherwise.
std::size_t FindLayer(const G3dBlock& block, std::string_view value) {
  for (std::size_t i = 0; i < block.objects.size(); ++i) {
    if (std::string_view(block.objects[i]->name).substr(0, value.size()) == value) return i;
  }
  return block.objects.empty() ? 0 : block.objects.size() - 1;
}

void ApplyGroup(FaceState& state, long long code, std::string_view value, G3dBlock& block,
                const Palette& palette3D) {
  if (code == 0) {
    if (state.inFace && state.kind == 1) EmitFace(state, block, palette3D);
    state.kind = 0;
    if (MatchesKeyword(value, "3DFACE")) {
      state.kind = 1;
      state.inFace = true;
    }
  } else if (code == 8) {
    if (!state.layerKnown || value != state.layer) {
      state.object = FindLayer(block, value);
      state.layer.assign(value);
      state.layerKnown = true;
    }
  } else if (code == 62) {
    state.colour = static_cast<int>(ParseInteger(value) & 0xFF);
  } else if (code >= 10 && code <= 33 && code % 10 <= 3) {
    const auto corner = static_cast<std::size_t>(code % 10);
    state.corners[corner][static_cast<std::size_t>(code / 10 - 1)] = ParseReal(value);
    if (corner == 3) state.fourthCorner = true;
  }
}

// Looking at the stop request every few thousand groups keeps a stop prompt
// without a shared load in every group.
constexpr unsigned kGroupsPerLook = 4096;

// Looks for the entities or the layer table. True: the entities start here.
bool FindSection(DxfLineReader& reader, const WorkControl* work) {
  for (unsigned groups = 1; !reader.AtEnd(); ++groups) {
    if (groups % kGroupsPerLook == 0 && Stopped(work)) return false;
    const std::string_view code = reader.ReadLine();
    const std::string_view value = reader.ReadLine();
    if (MatchesKeyword(value, "ENTITIES")) return true;
    if (ParseInteger(code) == 2 && MatchesKeyword(value, "LAYER")) return false;
  }
  return false;
}

// Every group-2 value becomes an object, the section name "ENTITIES" included.
bool ReadLayers(DxfLineReader& reader, G3dBlock& block, const WorkControl* work) {
  for (unsigned groups = 1; !reader.AtEnd(); ++groups) {
    if (groups % kGroupsPerLook == 0 && Stopped(work)) return false;
    const std::string_view code = reader.ReadLine();
    const std::string_view value = reader.ReadLine();
    const bool entities = MatchesKeyword(value, "ENTITIES");
    if (ParseInteger(code) == 2) AppendObject(block, std::string(value));
    if (entities) return true;
  }
  return false;
}

// Whether some group pair reads "0 / SECTION": the mark of a drawing, which a text
// of another kind does not carry. A stop ends the search early.
bool HasSection(std::string_view text, const WorkControl* work) {
  DxfLineReader reader(text);
  for (unsigned groups = 0; !reader.AtEnd(); ++groups) {
    if (groups % kGroupsPerLook == 0 && Stopped(work)) return false;
    const std::string_view code = SkipBlanks(reader.ReadLine());
    std::string_view value = SkipBlanks(reader.ReadLine());
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
    if (code.starts_with('0') && ParseInteger(code) == 0 && value == "SECTION") return true;
  }
  return false;
}

}  // namespace

std::string_view DxfLineReader::ReadLine() {
  const std::size_t start = pos_;
  std::size_t end = start;
  while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
  pos_ = end;
  if (pos_ < text_.size()) {
    const char other = text_[pos_] == '\r' ? '\n' : '\r';
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == other) ++pos_;
  }
  return text_.substr(start, std::min(end - start, MaxLineLength));
}

bool WriteDxf(const G3dBlock& block, const DxfSink& sink, const WorkControl* work) {
  const WorkControl everyCore;
  const WorkControl& control = work != nullptr ? *work : everyCore;
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  std::string out;
  out.reserve(kPiece + 4096);
  const auto flush = [&](bool always) {
    if (out.empty() || (!always && out.size() < kPiece)) return true;
    const bool written = sink(out);
    out.clear();
    return written;
  };
  out += kHeader;
  for (const auto& object : block.objects) {
    out += " 0\r\nLAYER\r\n 2\r\n";
    out += object->name;
    out += kLayerEntryEnd;
    if (!flush(false)) return false;
  }
  out += kEntitiesStart;
  if (!flush(true)) return false;
  if (!WriteFaces(block, sink, control)) return false;
  out += kTrailer;
  return flush(true);
}

std::string WriteDxf(const G3dBlock& block) {
  std::string text;
  WriteDxf(block, [&text](std::string_view piece) {
    text += piece;
    return true;
  });
  return text;
}

DxfReadResult ReadDxf(std::string_view text, G3dBlock& block, const Palette& palette3D,
                      const WorkControl* work) {
  if (!HasSection(text, work)) {
    return Stopped(work) ? DxfReadResult::Stopped : DxfReadResult::NotDxf;
  }
  G3dBlock read;
  DxfLineReader reader(text);
  const bool entities = FindSection(reader, work) || ReadLayers(reader, read, work);
  FaceState state;
  for (unsigned groups = 0; entities && !reader.AtEnd(); ++groups) {
    if (groups % kGroupsPerLook == 0 && Stopped(work)) return DxfReadResult::Stopped;
    const long long code = ParseInteger(reader.ReadLine());
    ApplyGroup(state, code, reader.ReadLine(), read, palette3D);
  }
  if (Stopped(work)) return DxfReadResult::Stopped;
  block.objects.swap(read.objects);
  return DxfReadResult::Read;
}

}  // namespace lw
