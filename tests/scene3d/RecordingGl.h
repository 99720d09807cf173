// The calls recorded by the OpenGL stand-in of the display-list tests.
#pragma once

#include <string>
#include <vector>

namespace lw::test {

struct GlLog {
  std::vector<std::string> calls;
  unsigned nextList = 1;
};

GlLog& Gl();

}  // namespace lw::test
