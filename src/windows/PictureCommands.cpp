#include "windows/PictureCommands.h"

#include <QMessageBox>
#include <QOpenGLWidget>
#include <QPrinter>

#include "app/Pictures.h"
#include "app/Program.h"
#include "app/Program2D.h"
#include "windows/Dialogs.h"
#include "windows/Printing.h"
#include "windows/QtConvert.h"

namespace lw {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string> AskPictureToSave(QWidget* parent, Dialogs& dialogs,
                                            std::string_view filter = PictureFilter) {
  const auto name =
      dialogs.SavePictureName(parent, Text(SavePictureTitle), Text(filter), Text(PictureExtension));
  if (!name) return std::nullopt;
  return S(*name);
}

void ShowFailure(QWidget* parent, const std::string& path, const QString& error) {
  QMessageBox::critical(parent, QStringLiteral("Linewright"),
                        Q(path) + QStringLiteral("\n") + error);
}

}  // namespace

QImage Frame3D(QWidget* view3D) {
  if (!view3D) return {};
  if (auto* gl = qobject_cast<QOpenGLWidget*>(view3D)) return gl->grabFramebuffer();
  if (auto* gl = view3D->findChild<QOpenGLWidget*>()) return gl->grabFramebuffer();
  return view3D->grab().toImage();
}

QImage CurrentViewImage(Program& program, QWidget* view3D) {
  if (program.Space() == SpaceMode::Space3D) return Frame3D(view3D);
  return program.TwoD().VisibleImage();
}

void SavePicture2DCommand(QWidget* parent, Program& program, Dialogs& dialogs) {
  if (program.RefuseWhileBusy()) return;
  const auto path = AskPictureToSave(parent, dialogs, Picture2DSaveFilter);
  if (!path) return;
  const Program2D& twoD = program.TwoD();
  auto failed = [parent, path = *path](const QString& error) { ShowFailure(parent, path, error); };
  if (DrawingFormatFor(Q(*path)) != nullptr) {
    SaveDrawingBeside(program, twoD.Picture().Record(), twoD.ViewWidth(), twoD.ViewHeight(), *path,
                      std::move(failed));
    return;
  }
  QImage visible = twoD.VisibleImage();
  SavePictureBeside(program, std::move(visible), *path, std::move(failed));
}

bool OpenPicture2DCommand(QWidget* parent, Program& program, Dialogs& dialogs) {
  const auto name = dialogs.OpenPictureName(parent, Text(OpenPictureTitle), Text(PictureFilter),
                                            Text(PictureExtension));
  if (!name) return false;
  QString error;
  if (!OpenPicture2D(program, S(*name), error)) {
    ShowFailure(parent, S(*name), error);
    return false;
  }
  return true;
}

void SaveFrame3DCommand(QWidget* parent, Program& program, Dialogs& dialogs, QWidget* view3D) {
  if (program.RefuseWhileBusy()) return;
  const auto path = AskPictureToSave(parent, dialogs);
  if (!path) return;
  SavePictureBeside(program, Frame3D(view3D), *path, [parent, path = *path](const QString& error) {
    ShowFailure(parent, path, error);
  });
}

void PrintViewCommand(QWidget* parent, Program& program, Dialogs& dialogs, QWidget* view3D) {
  QPrinter printer;
  bool fitToPage = false;
  if (!dialogs.ChoosePicturePrinter(parent, printer, fitToPage)) return;
  const Program2D& twoD = program.TwoD();
  const bool printed = program.Space() == SpaceMode::Space3D
                           ? PrintImage(printer, Frame3D(view3D), fitToPage)
                           : PrintRecord(printer, twoD.Picture().Record(), twoD.ViewWidth(),
                                         twoD.ViewHeight(), fitToPage);
  if (!printed) {
    ShowFailure(
        parent,
        S(printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName()),
        QStringLiteral("Не вдалося почати друк"));
  }
}

}  // namespace lw
