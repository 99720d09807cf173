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

// An OpenGL context of the system's renderer on an off-screen surface of width x
// height pixels, current on this thread while the object lives.
class OffscreenGlContext {
 public:
  OffscreenGlContext(int width, int height, std::string& why);
  ~OffscreenGlContext();
  OffscreenGlContext(const OffscreenGlContext&) = delete;
  OffscreenGlContext& operator=(const OffscreenGlContext&) = delete;
  // False, with the reason in the constructor's `why`, when none could be made.
  bool Current() const { return current_; }

 private:
  // The EGL handles, kept untyped so that this header needs no EGL.
  void* display_ = nullptr;
  void* surface_ = nullptr;
  void* context_ = nullptr;
  bool current_ = false;
};

// Compiles the scene's display lists in a context of its own and paints one frame of
// width x height pixels with the scene's camera, projection and polygon modes. The
// scene's list names are valid only during the call and are reset afterwards.
// Nullopt, with the reason in `why`, when no off-screen context can be made.
std::optional<RgbPixels> RenderOffscreen(G3dScene& scene, int width, int height, std::string& why);

}  // namespace lw
