// What the picture commands share: the --size argument, the picture format chosen by
// the output name, and writing a picture through a temporary file.
#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <string_view>

namespace lw::cli {

// "WxH" with two decimal numbers; false for anything else.
bool ParseSize(std::string_view text, int& width, int& height);

bool EndsWithNoCase(const std::string& text, std::string_view suffix);

// "BMP" or "PNG" by the name's extension; nullopt for any other name.
std::optional<const char*> PictureFormatOf(const std::string& path);
// The same, and "SVG" or "PDF" for the drawings that stay sharp at any size.
std::optional<const char*> PictureOrDrawingFormatOf(const std::string& path);

// Writes through a new file that replaces the target only when the whole picture was
// written; `error` gets the errno value of a failure. BMP pictures are 24-bit, as the
// program's are.
bool WritePicture(const QImage& image, const std::string& path, const char* format, int& error);

}  // namespace lw::cli
