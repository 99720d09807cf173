#include "app/StatusTexts.h"

namespace lw {

std::string SettingsSavedText(const std::string& path, FileResult result) {
  if (result == FileResult::Ok) return "Збереження - " + path + " - Окей";
  return "Помилка збереження файлу! - " + path;
}

std::string SettingsLoadedText(const std::string& path, FileResult result) {
  switch (result) {
    case FileResult::Ok:
      return "Завантаження - " + path + " - Окей";
    case FileResult::UnknownFormat:
      return "Невідомий формат Файлу! - " + path;
    default:
      return "Помилка завантаження файлу! - " + path;
  }
}

std::string PaletteSavedText(const std::string& path, PaletteFileResult result) {
  if (result == PaletteFileResult::Ok) return "Збереження Палітри - " + path + " - Окей";
  return "Помилка збереження файлу Палітри! - " + path;
}

std::string PaletteLoadedText(const std::string& path, PaletteFileResult result) {
  if (result == PaletteFileResult::Ok) return "Завантаження Палітри - " + path + " - Окей";
  return "Помилка завантаження файлу Палітри! - " + path;
}

}  // namespace lw
