// A 3D file goes to the reader its first bytes name, whatever it is called or the
// type the dialog had; only a start that says nothing leaves the choice to the caller.
#include "scene3d/FileSniffing.h"

#include <gtest/gtest.h>

#include <string>

#include "CaseNames.h"

namespace lw {
namespace {

using K = Space3DFileKind;

// An 80-byte header that begins like a text STL, and a count that fits the size.
std::string BinaryStl(std::uint32_t faces) {
  std::string head = "solid made by some exporter" + std::string(53, ' ');
  for (int i = 0; i < 4; ++i) head += static_cast<char>(faces >> (8 * i));
  return head + std::string(50, '\0');
}

struct SniffCase {
  std::string name;
  std::string head;
  K expected;
};

class Sniffing : public ::testing::TestWithParam<SniffCase> {};

// The caller's choice is text STL, a kind the content never names (an STL of either
// form goes to the reader of both).
constexpr K kChoice = K::StlAscii;

TEST_P(Sniffing, NamesTheReader) {
  const SniffCase& c = GetParam();
  EXPECT_EQ(KindOfContent(c.head, c.head.size(), kChoice), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, Sniffing,
    ::testing::Values(SniffCase{"Glb", std::string("glTF\x02\0\0\0", 8), K::Glb},
                      SniffCase{"ThreeMf", std::string("PK\x03\x04\x14\0", 6), K::ThreeMf},
                      SniffCase{"T3d", std::string("T3D\x01") + std::string(40, '\0'), K::T3d},
                      SniffCase{"PlyUpperCase", "PLY\nformat ascii 1.0\n", K::Ply},
                      SniffCase{"BinaryStlBeginningWithSolid", BinaryStl(1), K::StlBinary},
                      SniffCase{"TextStl", "  solid t\nfacet normal 0 0 1\n", K::StlBinary},
                      SniffCase{"Gltf", "\n {\"asset\":{\"version\":\"2.0\"}}", K::Gltf},
                      SniffCase{"Amf", "<?xml version=\"1.0\"?>\n<amf unit=\"mm\">", K::Amf},
                      SniffCase{"Off", "OFF\n4 4 0\n", K::Off},
                      SniffCase{"ColouredOff", "COFF 4 4 0\n", K::Off},
                      SniffCase{"Dxf", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n", K::Dxf},
                      SniffCase{"Obj", "# made by hand\n\nmtllib a.mtl\nv 0 0 0\n", K::Obj},
                      // Nothing clear: the caller's choice.
                      SniffCase{"BinaryStlOfAnotherSizeReadsAsText", BinaryStl(2), K::StlBinary},
                      SniffCase{"PlyWordInText", "plywood\n", kChoice},
                      SniffCase{"Empty", "", kChoice},
                      SniffCase{"Words", "hello world\n", kChoice}),
    test::CaseName());

}  // namespace
}  // namespace lw
