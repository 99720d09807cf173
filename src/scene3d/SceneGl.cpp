#include "scene3d/SceneGl.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace lw {
namespace {

void ApplyTransform(const G3dTransform& t) {
  glTranslatef(t.tx, t.ty, t.tz);
  glRotatef(t.angleY, 0.0f, 1.0f, 0.0f);
  glRotatef(t.angleX, -1.0f, 0.0f, 0.0f);
  glRotatef(t.angleZ, 0.0f, 0.0f, 1.0f);
}

const GridShape* GridOf(const G3dObject& object) {
  const GridShape* grid = object.triangles.Grid();
  return grid != nullptr && grid->Triangles() > 0 ? grid : nullptr;
}

// Rows of grid cells a list holds: about TrianglesPerList triangles.
std::size_t RowsPerList(const GridShape& grid) {
  const std::size_t perRow = std::size_t{2} * (grid.columns - 1);
  return std::max<std::size_t>(1, TrianglesPerList / perRow);
}

// Every `stride`-th row and column of a grid, and always its last.
struct GridSample {
  std::size_t stride = 1;
  std::size_t rows = 0, columns = 0;  // sampled
  GridSample(const GridShape& grid, std::size_t step)
      : stride(step), rows((grid.rows - 2) / step + 2), columns((grid.columns - 2) / step + 2) {}
  std::size_t Row(std::size_t i, const GridShape& grid) const {
    return std::min(i * stride, std::size_t{grid.rows} - 1);
  }
  std::size_t Column(std::size_t j, const GridShape& grid) const {
    return std::min(j * stride, std::size_t{grid.columns} - 1);
  }
};

// The stride that brings a grid to at most LightTrianglesPerObject triangles; 1 when
// it has no more than that.
std::size_t LightStride(const GridShape& grid) {
  const double ratio = static_cast<double>(grid.Triangles()) / LightTrianglesPerObject;
  return ratio <= 1.0 ? 1 : static_cast<std::size_t>(std::ceil(std::sqrt(ratio)));
}

}  // namespace

std::uint32_t ListsFor(const G3dObject& object) {
  std::size_t parts = 0;
  if (const GridShape* grid = GridOf(object)) {
    parts = (grid->rows - 2) / RowsPerList(*grid) + 1;
  } else {
    parts = (object.triangles.size() + TrianglesPerList - 1) / TrianglesPerList;
  }
  return static_cast<std::uint32_t>(std::max<std::size_t>(parts, 1));
}

bool HasLightList(const G3dObject& object) {
  const GridShape* grid = GridOf(object);
  return grid != nullptr && LightStride(*grid) > 1;
}

void ListArrays::Clear() {
  positions.clear();
  normals.clear();
  colours.clear();
}

void ListArrays::Add(const G3dPoint& p, const std::array<float, 3>& normal, std::uint8_t r,
                     std::uint8_t g, std::uint8_t b) {
  positions.insert(positions.end(), {p.x, p.y, p.z});
  normals.insert(normals.end(), normal.begin(), normal.end());
  colours.insert(colours.end(), {r, g, b});
}

namespace {

// Hands the arrays to OpenGL and draws them in the given mode.
void DrawArrays(const ListArrays& arrays, GLenum mode) {
  glVertexPointer(3, GL_FLOAT, 0, arrays.positions.data());
  glNormalPointer(GL_FLOAT, 0, arrays.normals.data());
  glColorPointer(3, GL_UNSIGNED_BYTE, 0, arrays.colours.data());
  glDrawArrays(mode, 0, static_cast<GLsizei>(arrays.positions.size() / 3));
}

// Stored triangles [first, end): three vertices each, all with corner 0's normal and
// colour, so that flat shading shows them whichever vertex it takes.
void CompileTriangles(const G3dObject& object, std::size_t first, std::size_t end,
                      ListArrays& arrays) {
  arrays.Clear();
  for (std::size_t i = first; i < end; ++i) {
    const G3dTriangle t = object.triangles[i];
    const G3dVertex& look = t.corners[0];
    for (const G3dVertex& v : t.corners) {
      arrays.Add(object.points[static_cast<std::size_t>(v.point)], look.normal, look.r, look.g,
                 look.b);
    }
  }
  DrawArrays(arrays, GL_TRIANGLES);
}

// Sampled grid rows [first, end) as one strip a row: the points of the next row and
// this one in turn, so the strip's triangles are the cells' two, in the grid's order
// and with its diagonal. Each vertex from the third on completes one triangle and
// carries its flat normal, which flat shading takes from a strip triangle's last
// vertex: one vertex a triangle where separate triangles take three. The strip turns
// its triangles the other way round than the grid does, so front faces are the
// clockwise ones while it is drawn.
void CompileGridRows(const G3dObject& object, const GridSample& sample, std::size_t first,
                     std::size_t end, ListArrays& arrays) {
  const GridShape& grid = *GridOf(object);
  const std::size_t n = grid.columns;
  const auto point = [&](std::size_t row, std::size_t j) -> const G3dPoint& {
    return object.points[row * n + sample.Column(j, grid)];
  };
  glFrontFace(GL_CW);
  for (std::size_t i = first; i < end; ++i) {
    const std::size_t top = sample.Row(i, grid), bottom = sample.Row(i + 1, grid);
    arrays.Clear();
    std::array<float, 3> normal{};
    for (std::size_t j = 0; j < sample.columns; ++j) {
      if (j > 0) {
        // The cell's first triangle (top left, bottom left, bottom right) ends at
        // the bottom point, its second (top left, bottom right, top right) at the top.
        normal = FlatNormal(point(top, j - 1), point(bottom, j - 1), point(bottom, j));
      }
      arrays.Add(point(bottom, j), normal, grid.r, grid.g, grid.b);
      if (j > 0) normal = FlatNormal(point(top, j - 1), point(bottom, j), point(top, j));
      arrays.Add(point(top, j), normal, grid.r, grid.g, grid.b);
    }
    DrawArrays(arrays, GL_TRIANGLE_STRIP);
  }
  glFrontFace(GL_CCW);
}

void BeginList(std::uint32_t name) {
  glNewList(name, GL_COMPILE);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
}

void EndList() {
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glEndList();
}

// List `part` of the object.
void CompilePart(const G3dObject& object, std::uint32_t part, ListArrays& arrays) {
  BeginList(object.displayList + part);
  if (const GridShape* grid = GridOf(object)) {
    const std::size_t rows = RowsPerList(*grid);
    const std::size_t first = std::size_t{part} * rows;
    CompileGridRows(object, GridSample(*grid, 1), first,
                    std::min(first + rows, std::size_t{grid->rows} - 1), arrays);
  } else {
    const std::size_t first = std::size_t{part} * TrianglesPerList;
    CompileTriangles(object, first, std::min(first + TrianglesPerList, object.triangles.size()),
                     arrays);
  }
  EndList();
}

// The object's light list: its grid with every LightStride-th row and column.
void CompileLight(const G3dObject& object, ListArrays& arrays) {
  const GridShape& grid = *GridOf(object);
  const GridSample sample(grid, LightStride(grid));
  BeginList(object.lightList);
  CompileGridRows(object, sample, 0, sample.rows - 1, arrays);
  EndList();
}

// Gives every object its range of list names; false when there is no object.
bool ReserveLists(G3dScene& scene) {
  std::size_t total = 0;
  for (const auto& block : scene.blocks) {
    for (const auto& object : block->objects) {
      total += ListsFor(*object) + (HasLightList(*object) ? 1 : 0);
    }
  }
  if (total == 0) return false;
  DeleteDisplayLists(scene);
  scene.listCount = static_cast<std::int32_t>(total);
  scene.listBase = glGenLists(scene.listCount);
  std::uint32_t name = scene.listBase;
  for (auto& block : scene.blocks) {
    for (auto& object : block->objects) {
      object->displayList = name;
      object->displayListCount = ListsFor(*object);
      name += object->displayListCount;
      object->lightList = HasLightList(*object) ? name++ : 0;
    }
  }
  return true;
}

}  // namespace

void CompileObject(G3dObject& object, std::uint32_t name) {
  object.displayList = name;
  object.displayListCount = ListsFor(object);
  object.lightList = 0;
  ListArrays arrays;
  for (std::uint32_t part = 0; part < object.displayListCount; ++part) {
    CompilePart(object, part, arrays);
  }
}

void DrawObject(const G3dObject& object, Detail detail) {
  if (!object.visible) return;
  glPushMatrix();
  ApplyTransform(object.transform);
  if (detail == Detail::Light && object.lightList != 0) {
    glCallList(object.lightList);
  } else {
    for (std::uint32_t part = 0; part < object.displayListCount; ++part) {
      glCallList(object.displayList + part);
    }
  }
  glPopMatrix();
}

void DrawBlock(const G3dBlock& block, Detail detail) {
  glPushMatrix();
  ApplyTransform(block.transform);
  for (const auto& object : block.objects) DrawObject(*object, detail);
  glPopMatrix();
}

void DeleteDisplayLists(G3dScene& scene) {
  if (scene.listCount != 0) glDeleteLists(scene.listBase, scene.listCount);
}

void RebuildDisplayLists(G3dScene& scene) {
  DisplayListCompiler compiler;
  compiler.Start(scene);
  while (!compiler.Continue(scene, std::chrono::hours(1))) {
  }
}

void DisplayListCompiler::Start(G3dScene& scene) {
  block_ = 0;
  object_ = 0;
  part_ = 0;
  light_ = true;
  compiled_ = 0;
  done_ = !ReserveLists(scene);
  total_ = done_ ? 0 : scene.listCount;
}

bool DisplayListCompiler::Continue(G3dScene& scene, std::chrono::milliseconds budget) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  while (!done_) {
    if (block_ >= scene.blocks.size()) {
      // The light lists of every object first, so that the whole figure shows soon;
      // then the full ones.
      done_ = !light_;
      light_ = false;
      block_ = 0;
      object_ = 0;
      continue;
    }
    const auto& objects = scene.blocks[block_]->objects;
    if (object_ >= objects.size()) {
      ++block_;
      object_ = 0;
      continue;
    }
    const G3dObject& object = *objects[object_];
    if (light_ || part_ >= object.displayListCount) {
      if (light_ && object.lightList != 0) {
        CompileLight(object, arrays_);
        ++compiled_;
      }
      ++object_;
      part_ = 0;
      if (!light_ || object.lightList == 0) continue;
    } else {
      CompilePart(object, part_++, arrays_);
      ++compiled_;
    }
    if (Clock::now() - start >= budget) break;
  }
  return done_;
}

bool DisplayListCompiler::LightDone() const {
  return done_ || !light_;
}

}  // namespace lw
