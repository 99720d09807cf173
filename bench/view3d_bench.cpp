// The 3D view's cost for a heavy figure, off screen with the system's renderer: the
// time to prepare the figure for drawing, the first full frame, and frames per
// second while the figure turns. Targets: first frame within 10 s, 2 frames a second.
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/SettingsFile.h"
#include "scene3d/HeadlessScene3D.h"
#include "scene3d/OffscreenGl.h"
#include "scene3d/Scene3DCommands.h"
#include "scene3d/SceneGl.h"
#include "scene3d/ViewerGl.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int width = 1600, height = 1000;
  const std::string step = argc > 1 ? argv[1] : "0.01";
  lw::HeadlessScene3D space;
  if (lw::LoadSettingsFile(LW_EXAMPLES_DIR "/surfaces.lwf", space.document) != lw::FileResult::Ok) {
    std::fprintf(stderr, "examples/surfaces.lwf cannot be read\n");
    return 2;
  }
  for (const auto field : {lw::ParamField::StepX, lw::ParamField::StepY, lw::ParamField::StepZ})
    space.document.Params.Field(field) = step;
  if (argc > 2) space.scene.frontMode = space.scene.backMode = std::atoi(argv[2]);
  lw::Build3DContext context = space.Context();
  const Clock::time_point built = Clock::now();
  if (!lw::BuildAll3D(context)) {
    std::fprintf(stderr, "the build failed: %s\n", space.status.Text().c_str());
    return 2;
  }
  std::size_t triangles = 0;
  for (const auto& block : space.scene.blocks)
    for (const auto& object : block->objects) triangles += object->triangles.size();
  std::printf("figure: %zu triangles, step %s, built in %.2f s\n", triangles, step.c_str(),
              Since(built));

  std::string why;
  lw::OffscreenGlContext gl(width, height, why);
  if (!gl.Current()) {
    std::fprintf(stderr, "no off-screen OpenGL: %s\n", why.c_str());
    return 77;
  }
  std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  lw::G3dScene& scene = space.scene;
  scene.listBase = 0;
  scene.listCount = 0;
  lw::SetUpContext(scene);
  lw::SetProjection(scene, width, height);
  lw::ApplyPolygonMode(scene);
  const Clock::time_point start = Clock::now();
  lw::RebuildDisplayLists(scene);
  const double prepared = Since(start);
  lw::PaintScene(scene);
  const double first = Since(start);
  // While the view turns it draws the light lists.
  constexpr int kTurns = 5;
  const Clock::time_point turning = Clock::now();
  for (int frame = 0; frame < kTurns; ++frame) {
    scene.camera.angleY += 5.0f;
    lw::PaintScene(scene, lw::Detail::Light);
  }
  const double fps = kTurns / Since(turning);
  const Clock::time_point still = Clock::now();
  lw::PaintScene(scene);
  const double full = Since(still);
  lw::DeleteDisplayLists(scene);
  std::printf("prepared for drawing %8.2f s\n", prepared);
  std::printf("first full frame     %8.2f s  %s (target 10 s)\n", first,
              first <= 10.0 ? "ok" : "SLOW");
  std::printf("full frame           %8.2f s\n", full);
  std::printf("turning              %8.2f frames/s  %s (target 2)\n", fps,
              fps >= 2.0 ? "ok" : "SLOW");
  return first <= 10.0 && fps >= 2.0 ? 0 : 1;
}
