#include "scene3d/OffscreenGl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>

#include "scene3d/SceneGl.h"
#include "scene3d/ViewerGl.h"

namespace lw {
namespace {

// The Mesa platform that needs no window system at all; where it is missing, the
// default display (which, with no window system to talk to, is off-screen too).
EGLDisplay OpenDisplay() {
  const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (extensions != nullptr && std::strstr(extensions, "EGL_MESA_platform_surfaceless") &&
      getPlatformDisplay != nullptr) {
    EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr)) return display;
  }
  EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
  if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr)) return display;
  return EGL_NO_DISPLAY;
}

RgbPixels ReadFrame(int width, int height) {
  RgbPixels pixels{width, height, {}};
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  pixels.bytes.resize(bottomUp.size());
  for (int y = 0; y < height; ++y) {
    std::memcpy(&pixels.bytes[static_cast<std::size_t>(y) * row],
                &bottomUp[static_cast<std::size_t>(height - 1 - y) * row], row);
  }
  return pixels;
}

}  // namespace

// What the view asks of its window: 8 bits a colour, depth and stencil, desktop
// OpenGL with the fixed-function pipeline (a compatibility context).
OffscreenGlContext::OffscreenGlContext(int width, int height, std::string& why) {
  display_ = OpenDisplay();
  if (display_ == EGL_NO_DISPLAY) {
    why = "no EGL display";
    return;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                     EGL_PBUFFER_BIT,
                                     EGL_RENDERABLE_TYPE,
                                     EGL_OPENGL_BIT,
                                     EGL_RED_SIZE,
                                     8,
                                     EGL_GREEN_SIZE,
                                     8,
                                     EGL_BLUE_SIZE,
                                     8,
                                     EGL_DEPTH_SIZE,
                                     24,
                                     EGL_STENCIL_SIZE,
                                     8,
                                     EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  if (!eglChooseConfig(display_, configAttributes, &config, 1, &count) || count < 1) {
    why = "no EGL configuration with a pbuffer and desktop OpenGL";
    return;
  }
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  surface_ = eglCreatePbufferSurface(display_, config, surfaceAttributes);
  if (surface_ == EGL_NO_SURFACE || !eglBindAPI(EGL_OPENGL_API)) {
    why = "no EGL pbuffer surface";
    return;
  }
  context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
  if (context_ == EGL_NO_CONTEXT || !eglMakeCurrent(display_, surface_, surface_, context_)) {
    why = "no current OpenGL context";
    return;
  }
  current_ = true;
}

OffscreenGlContext::~OffscreenGlContext() {
  if (display_ == EGL_NO_DISPLAY) return;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
  if (surface_ != EGL_NO_SURFACE) eglDestroySurface(display_, surface_);
  eglTerminate(display_);
}

std::optional<RgbPixels> RenderOffscreen(G3dScene& scene, int width, int height, std::string& why) {
  if (width < 1 || height < 1 || width > MaxOffscreenSide || height > MaxOffscreenSide) {
    why = "the picture size is out of range";
    return std::nullopt;
  }
  OffscreenGlContext context(width, height, why);
  if (!context.Current()) return std::nullopt;
  // Lists of another context mean nothing here.
  scene.listBase = 0;
  scene.listCount = 0;
  SetUpContext(scene);
  RebuildDisplayLists(scene);
  SetProjection(scene, width, height);
  ApplyPolygonMode(scene);
  PaintScene(scene);
  RgbPixels pixels = ReadFrame(width, height);
  DeleteDisplayLists(scene);
  scene.listBase = 0;
  scene.listCount = 0;
  return pixels;
}

}  // namespace lw
