// Pictures in and out of the program: the visible part of the 2D picture saved as a
// bitmap file, a bitmap file opened into the 2D picture, and the 3D frame saved.
// BMP is the program's own format; PNG is offered beside it.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

namespace lw {

class Program;

inline constexpr std::string_view SavePictureTitle = "Зберегти як Bitmap...";
inline constexpr std::string_view OpenPictureTitle = "Прочитати Bitmap...";
// Qt filter form; BMP first, so it is the default.
inline constexpr std::string_view PictureFilter = "Точкові малюнки (*.bmp);;Малюнки PNG (*.png)";
// The 2D picture may also leave as a drawing that stays sharp at any size.
inline constexpr std::string_view Picture2DSaveFilter =
    "Точкові малюнки (*.bmp);;Малюнки PNG (*.png);;Векторні малюнки SVG (*.svg);;"
    "Документи PDF (*.pdf)";
inline constexpr std::string_view PictureExtension = "bmp";

// The format a picture is written in: PNG for a ".png" name, BMP otherwise.
const char* PictureFormatFor(const QString& path);
// "SVG" or "PDF" for a name that asks for a drawing of the 2D picture's shapes;
// nullptr for a picture of pixels.
const char* DrawingFormatFor(const QString& path);

class WorkControl;

// Writes image through a temporary file; on failure returns false with the reason.
// A stop request of work before the file is complete keeps the previous file.
bool WritePicture(const QImage& image, const QString& path, QString& error,
                  const WorkControl* work = nullptr);

// What a stopped picture save leaves in the status bar: "Збереження перервано. - " + path.
std::string PictureStoppedText(const std::string& path);

// Writes image to path beside the interface and shows the save message (or the stop
// message) when done; `failed` gets the reason of a failure on the interface thread.
// False, with the busy text, when other long work runs.
bool SavePictureBeside(Program& program, QImage image, const std::string& path,
                       std::function<void(const QString& error)> failed);

class VectorRecord;

// Writes the top-left width x height part of the record as an SVG or PDF drawing (by
// the name) beside the interface, as SavePictureBeside does.
bool SaveDrawingBeside(Program& program, const VectorRecord& record, int width, int height,
                       const std::string& path, std::function<void(const QString& error)> failed);

// Reads a picture file; a null image with the reason when it cannot be read.
QImage ReadPicture(const QString& path, QString& error);

// "Збереження - " + path + " - Окей".
std::string PictureSavedText(const std::string& path);

// Saves the top-left part of the 2D picture, as large as the plot view, and shows the
// save message (without the status timer). False, with the reason, on failure; the
// status text then stays as it was.
bool SavePicture2D(Program& program, const std::string& path, QString& error);

// Loads a picture into the top-left corner of the 2D picture, first clearing it to
// the background colour when the appearance says so. False, with the reason, when
// the file cannot be read; the picture then stays as it was.
bool OpenPicture2D(Program& program, const std::string& path, QString& error);

// Saves an already grabbed 3D frame and shows the save message.
bool SaveFrame3D(Program& program, const QImage& frame, const std::string& path, QString& error);

}  // namespace lw
