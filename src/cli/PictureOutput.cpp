#include "cli/PictureOutput.h"

#include <QString>
#include <cerrno>
#include <charconv>

#include "document/AtomicFileDevice.h"

namespace lw::cli {

bool ParseSize(std::string_view text, int& width, int& height) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return false;
  const std::string_view a = text.substr(0, x), b = text.substr(x + 1);
  const auto ra = std::from_chars(a.data(), a.data() + a.size(), width);
  const auto rb = std::from_chars(b.data(), b.data() + b.size(), height);
  return ra.ec == std::errc{} && ra.ptr == a.data() + a.size() && rb.ec == std::errc{} &&
         rb.ptr == b.data() + b.size() && !a.empty() && !b.empty();
}

bool EndsWithNoCase(const std::string& text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    char c = text[text.size() - suffix.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != suffix[i]) return false;
  }
  return true;
}

std::optional<const char*> PictureFormatOf(const std::string& path) {
  if (EndsWithNoCase(path, ".bmp")) return "BMP";
  if (EndsWithNoCase(path, ".png")) return "PNG";
  return std::nullopt;
}

std::optional<const char*> PictureOrDrawingFormatOf(const std::string& path) {
  if (EndsWithNoCase(path, ".svg")) return "SVG";
  if (EndsWithNoCase(path, ".pdf")) return "PDF";
  return PictureFormatOf(path);
}

bool WritePicture(const QImage& image, const std::string& path, const char* format, int& error) {
  AtomicFile file(path);
  AtomicFileDevice device(file);
  // The bitmap writer makes 24-bit pictures of RGB32 images a row at a time; other
  // formats are turned into 24 bits first.
  const bool asIs = format[0] != 'B' || image.format() == QImage::Format_RGB32;
  const bool written =
      !file.Failed() &&
      (asIs ? image : image.convertToFormat(QImage::Format_RGB888)).save(&device, format) &&
      file.Commit();
  error = written ? 0 : file.Failed() ? file.Error() : EINVAL;
  return written;
}

}  // namespace lw::cli
