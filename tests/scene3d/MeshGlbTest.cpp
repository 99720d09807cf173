// The glb container as the format asks for it, beyond what a tolerant reader lets
// pass: lengths that add up, both chunks padded to four bytes, JSON that parses,
// buffer views aligned and inside the binary chunk, position bounds that are the
// data's own, and indices that fit their type and their vertices.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "CaseNames.h"
#include "MeshFixtures.h"
#include "scene3d/MeshFormats.h"

namespace lw {
namespace {

G3dBlock Grid(std::uint32_t n) {
  G3dBlock block;
  G3dObject& grid = AppendObject(block, "Graph_1");
  for (std::uint32_t row = 0; row < n; ++row) {
    for (std::uint32_t column = 0; column < n; ++column) {
      AppendPoint(grid, static_cast<float>(column) - 5.0f, static_cast<float>(row),
                  static_cast<float>((row * column) % 7) - 3.0f);
    }
  }
  grid.triangles.SetGrid({n, n, 10, 20, 30});
  return block;
}

// Nothing to write but the axes.
G3dBlock AxesOnly() {
  G3dBlock block = testing::SampleBlock();
  block.objects.resize(1);
  return block;
}

G3dBlock OddlyNamed() {
  G3dBlock block = testing::SampleBlock();
  block.objects[1]->name = "Graph \"1\" \\ Графік\t";
  return block;
}

struct GlbCase {
  const char* name;
  G3dBlock (*figure)();
  std::vector<std::string> names;     // the nodes under the root, in order
  std::vector<std::size_t> vertices;  // per node
  std::vector<int> indexTypes;        // per node: 5123 (16-bit) or 5125 (32-bit)
};

const GlbCase kGlbs[] = {
    // Graph_1's six points, two of them (1, 1, 1) and (2, 2, -1) taken in blue and in
    // red: a vertex for each colour.
    {"StoredAndGrid", testing::SampleBlock, {"Graph_1", "Graph_2"}, {8, 12}, {5123, 5123}},
    {"OddlyNamed", OddlyNamed, {"Graph \"1\" \\ Графік\t", "Graph_2"}, {8, 12}, {5123, 5123}},
    {"AxesOnly", AxesOnly, {}, {}, {}},
    {"SmallGrid", [] { return Grid(255); }, {"Graph_1"}, {65025}, {5123}},
    {"LargeGrid", [] { return Grid(257); }, {"Graph_1"}, {66049}, {5125}},
};

class GlbContainer : public ::testing::TestWithParam<GlbCase> {};

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

float F32(const std::string& bytes, std::size_t at) {
  float value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

std::size_t Offset(const QJsonObject& object) {
  return static_cast<std::size_t>(object["byteOffset"].toInteger());
}

TEST_P(GlbContainer, HoldsWhatTheFormatAsks) {
  const GlbCase& c = GetParam();
  const auto written = WriteMesh(c.figure(), MeshFormat::Glb, "figure.glb");
  ASSERT_TRUE(written.has_value());
  const std::string& glb = written->main;
  ASSERT_GE(glb.size(), 28u);
  EXPECT_EQ(glb.substr(0, 4), "glTF");
  EXPECT_EQ(U32(glb, 4), 2u);
  EXPECT_EQ(U32(glb, 8), glb.size());
  const std::size_t jsonLength = U32(glb, 12);
  EXPECT_EQ(glb.substr(16, 4), "JSON");
  EXPECT_EQ(jsonLength % 4, 0u);
  const std::string text = glb.substr(20, jsonLength);
  const std::size_t end = text.find_last_not_of(' ');
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(text[end], '}');  // padded with spaces only
  QJsonParseError error;
  const QJsonObject gltf =
      QJsonDocument::fromJson(QByteArray::fromStdString(text), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  EXPECT_EQ(gltf["asset"]["version"].toString(), "2.0");
  if (c.names.empty()) {
    // The format allows neither an empty buffer nor empty lists.
    EXPECT_EQ(20 + jsonLength, glb.size());
    EXPECT_EQ(gltf.keys(), QStringList({"asset", "nodes", "scene", "scenes"}));
    EXPECT_EQ(gltf["nodes"].toArray().size(), 1);
    EXPECT_FALSE(gltf["nodes"][0].toObject().contains("children"));
    return;
  }
  ASSERT_LE(28 + jsonLength, glb.size());
  const std::size_t binLength = U32(glb, 20 + jsonLength);
  EXPECT_EQ(glb.substr(24 + jsonLength, 4), std::string("BIN\0", 4));
  EXPECT_EQ(binLength % 4, 0u);
  ASSERT_EQ(28 + jsonLength + binLength, glb.size());
  const std::string bin = glb.substr(28 + jsonLength);

  EXPECT_EQ(static_cast<std::size_t>(gltf["buffers"][0]["byteLength"].toInteger()), binLength);
  const QJsonArray views = gltf["bufferViews"].toArray();
  for (const QJsonValue view : views) {
    EXPECT_EQ(Offset(view.toObject()) % 4, 0u);
    EXPECT_LE(Offset(view.toObject()) + view["byteLength"].toInteger(), binLength);
  }
  const QJsonArray nodes = gltf["nodes"].toArray();
  ASSERT_EQ(nodes.size(), static_cast<qsizetype>(c.names.size() + 1));
  EXPECT_EQ(nodes[0]["children"].toArray().size(), static_cast<qsizetype>(c.names.size()));

  const QJsonArray accessors = gltf["accessors"].toArray();
  for (std::size_t i = 0; i < c.names.size(); ++i) {
    SCOPED_TRACE(c.names[i]);
    const QJsonObject node = nodes[static_cast<qsizetype>(i + 1)].toObject();
    EXPECT_EQ(node["name"].toString().toStdString(), c.names[i]);
    const QJsonObject primitive = gltf["meshes"][node["mesh"].toInt()]["primitives"][0].toObject();
    const QJsonObject position = accessors[primitive["attributes"]["POSITION"].toInt()].toObject();
    const QJsonObject indices = accessors[primitive["indices"].toInt()].toObject();
    const auto vertices = static_cast<std::size_t>(position["count"].toInteger());
    ASSERT_EQ(vertices, c.vertices[i]);
    ASSERT_EQ(indices["componentType"].toInt(), c.indexTypes[i]);

    // The bounds are the data's own.
    const QJsonObject positions = views[position["bufferView"].toInt()].toObject();
    const std::size_t stride =
        positions.contains("byteStride") ? positions["byteStride"].toInteger() : 12;
    for (int k = 0; k < 3; ++k) {
      float low = std::numeric_limits<float>::max(), high = -low;
      for (std::size_t v = 0; v < vertices; ++v) {
        const float x = F32(bin, Offset(positions) + Offset(position) + v * stride + 4 * k);
        low = std::min(low, x);
        high = std::max(high, x);
      }
      EXPECT_EQ(static_cast<float>(position["min"][k].toDouble()), low);
      EXPECT_EQ(static_cast<float>(position["max"][k].toDouble()), high);
    }
    // Every index names one of the vertices, and all are taken.
    const QJsonObject indexView = views[indices["bufferView"].toInt()].toObject();
    const std::size_t size = c.indexTypes[i] == 5123 ? 2 : 4;
    const auto count = static_cast<std::size_t>(indices["count"].toInteger());
    EXPECT_EQ(static_cast<std::size_t>(indexView["byteLength"].toInteger()), count * size);
    std::vector<bool> taken(vertices);
    for (std::size_t n = 0; n < count; ++n) {
      std::uint32_t index = 0;
      std::memcpy(&index, bin.data() + Offset(indexView) + Offset(indices) + n * size, size);
      ASSERT_LT(index, vertices);
      taken[index] = true;
    }
    EXPECT_EQ(std::count(taken.begin(), taken.end(), true), static_cast<long>(vertices));
  }
}

INSTANTIATE_TEST_SUITE_P(Figures, GlbContainer, ::testing::ValuesIn(kGlbs), test::CaseName{});

}  // namespace
}  // namespace lw
