// Mouse navigation of the 3D view: dragging turns or moves the scene's camera.
// Plain arithmetic on the camera, so it runs without a window or OpenGL.
#pragma once

#include <array>

#include "scene3d/G3dModel.h"

namespace lw {

enum class NavigatorButton { Left, Right, Other };

class G3dNavigator {
 public:
  enum Mode { Turn = 0, Move = 1 };

  explicit G3dNavigator(G3dScene* scene = nullptr) : scene_(scene) {}

  void SetScene(G3dScene* scene) { scene_ = scene; }
  G3dScene* Scene() const { return scene_; }

  void MouseDown(NavigatorButton button, int x, int y);
  void MouseUp(NavigatorButton button);
  // True when a button is held and the camera was updated.
  bool MouseMove(int x, int y);
  // Moves the camera along its line of sight, in either motion mode: notches > 0
  // (the wheel turned away from the user) bring the figure closer. A notch takes the
  // distance to the figure's centre by WheelStep, so the figure grows alike at every
  // distance; within the near plane's distance, or past the centre, a notch is a
  // fixed step of that distance's fifth.
  void Wheel(double notches);
  static constexpr float WheelStep = 1.25f;

  int MotionMode() const { return mode_; }
  void SetMotionMode(int mode) { mode_ = mode == Move ? Move : Turn; }

  // The six factors, in the order X, Y, Z (moving), rX, rY, rZ (turning), from the
  // values the user typed: factor = value / 100, and a value of 0 counts as 1 so
  // that no axis of the mouse is frozen.
  void SetSensitivities(const std::array<int, 6>& values);
  const std::array<float, 6>& Sensitivities() const { return factors_; }

 private:
  G3dScene* scene_;
  int lastX_ = 0, lastY_ = 0;
  bool leftDown_ = false, rightDown_ = false;
  int mode_ = Turn;
  std::array<float, 6> factors_{0.1f, 0.1f, 0.1f, 1.0f, 1.0f, 1.0f};
};

// Stores the scene's polygon modes (0 points, 1 lines, 2 filled); the view sends
// them at its next frame. A negative value leaves that side as it is; values above
// 2 are refused.
void StorePolygonMode(G3dScene& scene, int front, int back);

}  // namespace lw
