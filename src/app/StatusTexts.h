// The status-bar texts of the file commands (file code returns a result, and these
// turn it into what the user reads), and how numbers are shown to the user.
#pragma once

#include <string>

#include "document/Palette.h"
#include "document/SettingsFile.h"

namespace lw {

inline constexpr std::string_view ReadyText = "Готова";
// Why a curve of T is not shifted through a scanned point.
inline constexpr std::string_view CurveThroughPointText =
    "Криву параметра T не провести через точку: вона не має значення в точці площини";

// The decimal separator of numbers shown to the user (the system's).
char SystemDecimalSeparator();

std::string SettingsSavedText(const std::string& path, FileResult result);
std::string SettingsLoadedText(const std::string& path, FileResult result);
std::string PaletteSavedText(const std::string& path, PaletteFileResult result);
std::string PaletteLoadedText(const std::string& path, PaletteFileResult result);

}  // namespace lw
