#include "scene3d/G3dNavigator.h"

#include <cmath>

namespace lw {

void G3dNavigator::MouseDown(NavigatorButton button, int x, int y) {
  if (button == NavigatorButton::Left) leftDown_ = true;
  if (button == NavigatorButton::Right) rightDown_ = true;
  lastX_ = x;
  lastY_ = y;
}

void G3dNavigator::MouseUp(NavigatorButton button) {
  if (button == NavigatorButton::Left) leftDown_ = false;
  if (button == NavigatorButton::Right) rightDown_ = false;
}

bool G3dNavigator::MouseMove(int x, int y) {
  if (!leftDown_ && !rightDown_) return false;
  const float dx = static_cast<float>(x - lastX_);
  const float dy = static_cast<float>(y - lastY_);
  lastX_ = x;
  lastY_ = y;
  if (!scene_) return true;
  G3dTransform& camera = scene_->camera;
  const auto& [sX, sY, sZ, sRX, sRY, sRZ] = factors_;
  // The left button wins when both are held.
  if (leftDown_) {
    if (mode_ == Move) {
      camera.tx += dx * sX;
      camera.ty -= dy * sY;
    } else {
      camera.angleY += dx * sRX;
      camera.angleX += dy * sRY;
    }
  } else {
    camera.angleZ -= dx * sRZ;
    camera.tz -= dy * sZ;
  }
  return true;
}

void G3dNavigator::Wheel(double notches) {
  if (!scene_ || notches == 0) return;
  // The camera looks along -Z of the eye; the figure's centre lies at tz.
  constexpr float nearPlane = 1.0f;
  float& tz = scene_->camera.tz;
  const float distance = -tz;
  if (distance >= nearPlane) {
    tz = -static_cast<float>(distance / std::pow(double(WheelStep), notches));
  } else {
    tz += static_cast<float>(0.2 * nearPlane * notches);
  }
}

void G3dNavigator::SetSensitivities(const std::array<int, 6>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    const int value = values[i] == 0 ? 1 : values[i];
    factors_[i] = static_cast<float>(value * 0.01);
  }
}

void StorePolygonMode(G3dScene& scene, int front, int back) {
  if (front >= 0 && front <= 2) scene.frontMode = front;
  if (back >= 0 && back <= 2) scene.backMode = back;
}

}  // namespace lw
