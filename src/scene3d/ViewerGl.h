// The fixed-function set-up and the frame of the 3D view: material, one white light
// from the viewer's side, projection and the paint order. Call with the view's
// context current; only OpenGL 1.1 and gluPerspective are used.
#pragma once

#include <array>

#include "scene3d/G3dModel.h"
#include "scene3d/SceneGl.h"

namespace lw {

struct G3dMaterial {
  std::array<float, 4> ambient{0.25f, 0.22f, 0.26f, 1.0f};
  std::array<float, 4> diffuse{0.63f, 0.57f, 0.6f, 1.0f};
  std::array<float, 4> specular{0.99f, 0.91f, 0.81f, 1.0f};
  std::array<float, 4> emission{0.2f, 0.2f, 0.2f, 1.0f};
  float shininess = 27.8f;
};

// A directional light along +Z in eye coordinates: it shines from the viewer.
struct G3dLight {
  std::array<float, 4> position{0.0f, 0.0f, 1.0f, 0.0f};
  std::array<float, 3> spotDirection{0.0f, 0.0f, -1.0f};
  std::array<float, 4> ambient{0.0f, 0.0f, 0.0f, 1.0f};
  std::array<float, 4> diffuse{1.0f, 1.0f, 1.0f, 1.0f};
  std::array<float, 4> specular{1.0f, 1.0f, 1.0f, 1.0f};
};

// Depth test, colour material, flat shading, the material for both faces, two-sided
// lighting with light 0 only, and the scene's polygon modes. The background stays
// the default black.
void SetUpContext(const G3dScene& scene);
// Perspective of the scene's field of view, near and far planes for a w x h panel.
// A panel of no height is taken as one pixel high, so the aspect stays finite.
void SetProjection(const G3dScene& scene, int width, int height);
// Sends the scene's front and back polygon modes (points, lines or filled).
void ApplyPolygonMode(const G3dScene& scene);
// One frame: clear, camera transform, every block, glFinish. The buffer swap is the
// caller's.
void PaintScene(const G3dScene& scene, Detail detail = Detail::Full);

}  // namespace lw
