// Draws the 3D scene without a display: an OpenGL context of the system's own
// renderer on an off-screen surface (EGL, no window system), set up and painted by
// the very code the 3D view runs, then read back as pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scene3d/G3dModel.h"

namespace lw {

// Rows from the top, three bytes (R, G, B) a pixel, no padding.
struct RgbPixels {
  int width = 0, height = 0;
  std::vector<std::uint8_t> bytes;
};

// The largest side of an off-screen picture.
inline constexpr int MaxOffscreenSide = 4096;

// Compiles the scene's display lists in a context of its own and paints one frame of
// width x height pixels with the scene's camera, projection and polygon modes. The
// scene's list names are valid only during the call and are reset afterwards.
// Nullopt, with the reason in `why`, when no off-screen context can be made.
std::optional<RgbPixels> RenderOffscreen(G3dScene& scene, int width, int height, std::string& why);

}  // namespace lw
