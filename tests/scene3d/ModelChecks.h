// Checks of the model's invariants shared by the model, file and builder tests.
#pragma once

#include <gtest/gtest.h>

#include "G3dModel.h"

namespace lw {

// Every corner names a valid point and is listed with it; every listed corner
// names that point; nothing is listed twice over.
inline void ExpectConsistent(const G3dObject& object) {
  std::size_t listed = 0;
  for (std::size_t i = 0; i < object.points.size(); ++i) {
    for (const G3dVertex* v : object.points[i].vertices) {
      EXPECT_EQ(v->point, static_cast<std::int32_t>(i));
      ++listed;
    }
  }
  for (std::size_t t = 0; t < object.triangles.size(); ++t) {
    for (const G3dVertex& v : object.triangles[t].corners) {
      ASSERT_GE(v.point, 0);
      ASSERT_LT(static_cast<std::size_t>(v.point), object.points.size());
      bool found = false;
      for (const G3dVertex* u : object.points[static_cast<std::size_t>(v.point)].vertices) {
        found = found || u == &v;
      }
      EXPECT_TRUE(found);
    }
  }
  EXPECT_EQ(listed, object.triangles.size() * 3);
}

}  // namespace lw
