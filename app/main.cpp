// linewright [FILE.lwf]: the desktop program. The last argument, when given, names
// the document to open instead of the one the previous run left open.
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <exception>
#include <string>
#include <vector>

#include "DesktopProgram.h"
#include "MainWindow.h"
#include "QtConvert.h"

namespace {

// An exception that escapes an event handler is shown in a standard error box
// instead of ending the program with the document unsaved.
class Application : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      QMessageBox::critical(activeWindow(), QStringLiteral("Linewright"),
                            QString::fromUtf8(e.what()));
    } catch (...) {
      QMessageBox::critical(activeWindow(), QStringLiteral("Linewright"),
                            QStringLiteral("Невідома помилка"));
    }
    return false;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  Application application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Linewright"));
  // The program ends with its main window, whatever secondary window stays open.
  QApplication::setQuitOnLastWindowClosed(false);
  // The windows are laid out for an 11-pixel sans-serif face.
  QApplication::setFont(lw::ToQFont(lw::LabelFont{}));

  std::vector<std::string> arguments;
  // Kept absolute: the options file remembers the document for runs started elsewhere.
  for (const QString& argument : QApplication::arguments().mid(1)) {
    arguments.push_back(QFileInfo(argument).absoluteFilePath().toStdString());
  }
  lw::DesktopProgram program(QApplication::applicationDirPath().toStdString(), arguments);
  program.Main().OnClosed = [] { QApplication::quit(); };
  program.Main().showMaximized();
  return QApplication::exec();
}
