// Where the program finds its template, help pages and examples: beside the
// executable (the build folder, or a copied program), or in ../share/linewright
// when installed.
#pragma once

#include <string>

namespace lw {

// The folder holding Default.lwf: executableDir itself when the template is there,
// else executableDir/../share/linewright when it is there; executableDir otherwise.
std::string FindProgramFolder(const std::string& executableDir);

// True for an installed program's data folder (.../share/linewright), which belongs
// to the package manager: the program writes nothing there, whoever runs it.
bool IsInstalledDataFolder(const std::string& folder);

}  // namespace lw
