// The version both programs name in --version and the about window shows. The
// number agrees with the project's version in CMakeLists.txt, which the package takes.
#pragma once

namespace lw {

inline constexpr const char* ProgramVersionText = "Linewright v 0.5.0.b";

}  // namespace lw
