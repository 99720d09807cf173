#include "app/Pictures.h"

#include <QFileInfo>
#include <QImageReader>

#include <cstring>
#include <string>

#include "app/Program.h"
#include "app/Program2D.h"
#include "document/AtomicFileDevice.h"
#include "document/WorkControl.h"
#include "plot2d/PngFormat.h"
#include "plot2d/VectorFormats.h"

#include <memory>

namespace lw {

const char* PictureFormatFor(const QString& path) {
  return QFileInfo(path).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0 ? "PNG"
                                                                                           : "BMP";
}

const char* DrawingFormatFor(const QString& path) {
  const QString suffix = QFileInfo(path).suffix();
  if (suffix.compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) return "SVG";
  if (suffix.compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0) return "PDF";
  return nullptr;
}

namespace {

bool Encode(const QImage& rgb, bool png, AtomicFile& file) {
  if (!png) {
    AtomicFileDevice device(file);
    return rgb.save(&device, "BMP") && !file.Failed();
  }
  const std::size_t rowBytes = static_cast<std::size_t>(rgb.width()) * 3;
  const std::string encoded =
      EncodePng(rgb.width(), rgb.height(), [&rgb, rowBytes](int y, std::uint8_t* out) {
        std::memcpy(out, rgb.constScanLine(y), rowBytes);
      });
  return !encoded.empty() && file.Write(encoded);
}

}  // namespace

namespace {

// A written picture file replaces its target unless the work was stopped meanwhile
// (the old file stays); false with the reason in `error` otherwise.
bool FinishPictureFile(AtomicFile& file, bool written, QString& error, const WorkControl* work) {
  if (written && Stopped(work)) {
    file.Discard();
    error = QString::fromStdString(std::string(BuildStoppedText));
    return false;
  }
  if (!written || !file.Commit()) {
    error = QString::fromStdString(file.Failed() ? WriteFailureReason(file.Error())
                                                 : "Не вдалося записати малюнок");
    return false;
  }
  return true;
}

}  // namespace

bool WritePicture(const QImage& image, const QString& path, QString& error,
                  const WorkControl* work) {
  AtomicFile file(path.toStdString());
  // 24 bits per pixel: the picture has no transparency to keep.
  const bool written = !file.Failed() && Encode(image.convertToFormat(QImage::Format_RGB888),
                                                PictureFormatFor(path)[0] == 'P', file);
  return FinishPictureFile(file, written, error, work);
}

std::string PictureStoppedText(const std::string& path) {
  return "Збереження перервано. - " + path;
}

namespace {

struct SaveOutcome {
  bool written = false;
  QString error;
};

// Shows what became of a save run as long work.
std::function<void(bool)> SaveDone(Program& program, const std::string& path,
                                   std::shared_ptr<SaveOutcome> outcome,
                                   std::function<void(const QString& error)> failed) {
  return [&program, path, outcome, failed = std::move(failed)](bool stopped) {
    if (outcome->written) {
      program.SetStatus(PictureSavedText(path));
    } else if (stopped) {
      program.SetStatus(PictureStoppedText(path));
    } else if (failed) {
      failed(outcome->error);
    }
  };
}

bool WriteDrawing(const VectorRecord& record, int width, int height, const std::string& path,
                  QString& error, const WorkControl& work) {
  const bool svg = DrawingFormatFor(QString::fromStdString(path))[0] == 'S';
  const std::string bytes =
      svg ? EncodeSvg(record, width, height) : EncodePdf(record, width, height);
  AtomicFile file(path);
  const bool written = !bytes.empty() && !file.Failed() && file.Write(bytes);
  return FinishPictureFile(file, written, error, &work);
}

}  // namespace

bool SaveDrawingBeside(Program& program, const VectorRecord& record, int width, int height,
                       const std::string& path, std::function<void(const QString& error)> failed) {
  auto outcome = std::make_shared<SaveOutcome>();
  // The worker draws from its own copy: the picture may change meanwhile.
  return program.StartWork(
      [record, width, height, path, outcome](WorkControl& control, WorkFeedback&) {
        outcome->written = WriteDrawing(record, width, height, path, outcome->error, control);
      },
      SaveDone(program, path, outcome, std::move(failed)));
}

bool SavePictureBeside(Program& program, QImage image, const std::string& path,
                       std::function<void(const QString& error)> failed) {
  auto outcome = std::make_shared<SaveOutcome>();
  return program.StartWork(
      [image = std::move(image), path, outcome](WorkControl& control, WorkFeedback&) {
        outcome->written =
            WritePicture(image, QString::fromStdString(path), outcome->error, &control);
      },
      SaveDone(program, path, outcome, std::move(failed)));
}

QImage ReadPicture(const QString& path, QString& error) {
  QImageReader reader(path);
  reader.setAutoTransform(false);
  QImage image = reader.read();
  if (image.isNull()) error = reader.errorString();
  return image;
}

std::string PictureSavedText(const std::string& path) {
  return "Збереження - " + path + " - Окей";
}

bool SavePicture2D(Program& program, const std::string& path, QString& error) {
  const QImage visible = program.TwoD().VisibleImage();
  if (!WritePicture(visible, QString::fromStdString(path), error)) return false;
  program.SetStatus(PictureSavedText(path));
  return true;
}

bool OpenPicture2D(Program& program, const std::string& path, QString& error) {
  if (program.RefuseWhileBusy()) return true;  // the busy text says why nothing happened
  // Read first: a file that cannot be read leaves the picture as it was.
  const QImage image = ReadPicture(QString::fromStdString(path), error);
  if (image.isNull()) return false;
  program.TwoD().PastePicture(image);
  return true;
}

bool SaveFrame3D(Program& program, const QImage& frame, const std::string& path, QString& error) {
  if (!WritePicture(frame, QString::fromStdString(path), error)) return false;
  program.SetStatus(PictureSavedText(path));
  return true;
}

}  // namespace lw
