// Checks of the model's invariants shared by the model, file and builder tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "scene3d/G3dModel.h"

namespace lw {

// Every corner names a valid point and is listed with it; every listed corner
// names that point; the lists are in the order the corners came, and nothing is
// listed twice over.
inline void ExpectConsistent(const G3dObject& object) {
  std::size_t listed = 0;
  for (std::size_t i = 0; i < object.points.size(); ++i) {
    const std::vector<CornerId> corners = Vertices(object, i);
    EXPECT_TRUE(std::is_sorted(corners.begin(), corners.end()));
    for (const CornerId c : corners) {
      ASSERT_LT(c / 3, object.triangles.size());
      EXPECT_EQ(CornerOf(object, c).point, static_cast<std::int32_t>(i));
      ++listed;
    }
  }
  for (std::size_t t = 0; t < object.triangles.size(); ++t) {
    const G3dTriangle triangle = object.triangles[t];
    for (std::size_t k = 0; k < 3; ++k) {
      const G3dVertex& v = triangle.corners[k];
      ASSERT_GE(v.point, 0);
      ASSERT_LT(static_cast<std::size_t>(v.point), object.points.size());
      const std::vector<CornerId> corners = Vertices(object, static_cast<std::size_t>(v.point));
      EXPECT_NE(std::find(corners.begin(), corners.end(), static_cast<CornerId>(t * 3 + k)),
                corners.end());
    }
  }
  EXPECT_EQ(listed, object.triangles.size() * 3);
}

}  // namespace lw
