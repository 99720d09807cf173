#include "scene3d/ViewerGl.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "scene3d/SceneGl.h"

namespace lw {
namespace {

GLenum PolygonModeOf(int mode) {
  return static_cast<GLenum>(GL_POINT + mode);
}

void SetUpMaterial(const G3dMaterial& m) {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_COLOR_MATERIAL);
  glShadeModel(GL_FLAT);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular.data());
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, m.emission.data());
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.shininess);
}

// Sent while the model-view matrix is the identity, so the light stays fixed to
// the viewer whatever the camera does later.
void SetUpLighting(const G3dLight& light) {
  glEnable(GL_LIGHTING);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_LIGHT0);
  glLightfv(GL_LIGHT0, GL_POSITION, light.position.data());
  glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, light.spotDirection.data());
  glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient.data());
  glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse.data());
  glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular.data());
}

bool ValidMode(int mode) {
  return mode >= 0 && mode <= 2;
}

}  // namespace

void SetUpContext(const G3dScene& scene) {
  SetUpMaterial(G3dMaterial{});
  SetUpLighting(G3dLight{});
  ApplyPolygonMode(scene);
}

void SetProjection(const G3dScene& scene, int width, int height) {
  const int h = height > 0 ? height : 1;
  const int w = width > 0 ? width : 1;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(scene.fieldOfView, static_cast<double>(w) / h, scene.nearPlane, scene.farPlane);
  glViewport(0, 0, w, h);
}

void ApplyPolygonMode(const G3dScene& scene) {
  if (ValidMode(scene.frontMode)) glPolygonMode(GL_FRONT, PolygonModeOf(scene.frontMode));
  if (ValidMode(scene.backMode)) glPolygonMode(GL_BACK, PolygonModeOf(scene.backMode));
}

void PaintScene(const G3dScene& scene, Detail detail) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const G3dTransform& c = scene.camera;
  glTranslatef(c.tx, c.ty, c.tz);
  glRotatef(c.angleY, 0.0f, 1.0f, 0.0f);
  glRotatef(c.angleX, -1.0f, 0.0f, 0.0f);
  glRotatef(c.angleZ, 0.0f, 0.0f, 1.0f);
  for (const auto& block : scene.blocks) DrawBlock(*block, detail);
  glFinish();
}

}  // namespace lw
