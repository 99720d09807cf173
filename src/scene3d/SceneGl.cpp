#include "SceneGl.h"

#include <GL/gl.h>

namespace lw {
namespace {

void ApplyTransform(const G3dTransform& t) {
  glTranslatef(t.tx, t.ty, t.tz);
  glRotatef(t.angleY, 0.0f, 1.0f, 0.0f);
  glRotatef(t.angleX, -1.0f, 0.0f, 0.0f);
  glRotatef(t.angleZ, 0.0f, 0.0f, 1.0f);
}

}  // namespace

void CompileObject(G3dObject& object, std::uint32_t name) {
  object.displayList = name;
  glNewList(name, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  const auto& points = object.points;
  object.triangles.ForEach([&points](const G3dTriangle& t) {
    const G3dVertex& first = t.corners[0];
    glNormal3fv(first.normal.data());
    const GLubyte colour[3] = {first.r, first.g, first.b};
    glColor3ubv(colour);
    for (const G3dVertex& v : t.corners) {
      const G3dPoint& p = points[static_cast<std::size_t>(v.point)];
      glVertex3f(p.x, p.y, p.z);
    }
  });
  glEnd();
  glEndList();
}

void DrawObject(const G3dObject& object) {
  if (!object.visible) return;
  glPushMatrix();
  ApplyTransform(object.transform);
  glCallList(object.displayList);
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
  std::size_t total = 0;
  for (const auto& block : scene.blocks) total += block->objects.size();
  if (total == 0) return;
  DeleteDisplayLists(scene);
  scene.listCount = static_cast<std::int32_t>(total);
  scene.listBase = glGenLists(scene.listCount);
  std::uint32_t name = scene.listBase;
  for (auto& block : scene.blocks) {
    for (auto& object : block->objects) CompileObject(*object, name++);
  }
}

}  // namespace lw
