#include "scene3d/SceneGl.h"

#include <GL/gl.h>

#include <algorithm>

namespace lw {
namespace {

void ApplyTransform(const G3dTransform& t) {
  glTranslatef(t.tx, t.ty, t.tz);
  glRotatef(t.angleY, 0.0f, 1.0f, 0.0f);
  glRotatef(t.angleX, -1.0f, 0.0f, 0.0f);
  glRotatef(t.angleZ, 0.0f, 0.0f, 1.0f);
}

}  // namespace

std::uint32_t ListsFor(const G3dObject& object) {
  const std::size_t parts = (object.triangles.size() + TrianglesPerList - 1) / TrianglesPerList;
  return static_cast<std::uint32_t>(std::max<std::size_t>(parts, 1));
}

namespace {

// List `part` of the object: its triangles [part, part + 1) * TrianglesPerList.
void CompilePart(const G3dObject& object, std::uint32_t part) {
  glNewList(object.displayList + part, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  const auto& points = object.points;
  const std::size_t first = std::size_t{part} * TrianglesPerList;
  const std::size_t end = std::min(first + TrianglesPerList, object.triangles.size());
  for (std::size_t i = first; i < end; ++i) {
    const G3dTriangle& t = object.triangles[i];
    const G3dVertex& corner = t.corners[0];
    glNormal3fv(corner.normal.data());
    const GLubyte colour[3] = {corner.r, corner.g, corner.b};
    glColor3ubv(colour);
    for (const G3dVertex& v : t.corners) {
      const G3dPoint& p = points[static_cast<std::size_t>(v.point)];
      glVertex3f(p.x, p.y, p.z);
    }
  }
  glEnd();
  glEndList();
}

// Gives every object its range of list names; false when there is no object.
bool ReserveLists(G3dScene& scene) {
  std::size_t total = 0;
  for (const auto& block : scene.blocks) {
    for (const auto& object : block->objects) total += ListsFor(*object);
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
    }
  }
  return true;
}

}  // namespace

void CompileObject(G3dObject& object, std::uint32_t name) {
  object.displayList = name;
  object.displayListCount = ListsFor(object);
  for (std::uint32_t part = 0; part < object.displayListCount; ++part) CompilePart(object, part);
}

void DrawObject(const G3dObject& object) {
  if (!object.visible) return;
  glPushMatrix();
  ApplyTransform(object.transform);
  for (std::uint32_t part = 0; part < object.displayListCount; ++part) {
    glCallList(object.displayList + part);
  }
  glPopMatrix();
}

void DrawBlock(const G3dBlock& block) {
  glPushMatrix();
  ApplyTransform(block.transform);
  for (const auto& object : block.objects) DrawObject(*object);
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
  done_ = !ReserveLists(scene);
}

bool DisplayListCompiler::Continue(G3dScene& scene, std::chrono::milliseconds budget) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  while (!done_) {
    if (block_ >= scene.blocks.size()) {
      done_ = true;
      break;
    }
    const auto& objects = scene.blocks[block_]->objects;
    if (object_ >= objects.size()) {
      ++block_;
      object_ = 0;
      continue;
    }
    const G3dObject& object = *objects[object_];
    if (part_ >= object.displayListCount) {
      ++object_;
      part_ = 0;
      continue;
    }
    CompilePart(object, part_++);
    if (Clock::now() - start >= budget) break;
  }
  return done_;
}

}  // namespace lw
