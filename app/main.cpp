// linewright [FILE.lwf]: the desktop program. The last argument, when given, names
// the document to open instead of the one the previous run left open.
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "app/Program.h"
#include "app/ProgramFolder.h"
#include "app/ProgramVersion.h"
#include "windows/DesktopProgram.h"
#include "windows/MainWindow.h"
#include "windows/QtConvert.h"
#include "windows/StandardTexts.h"

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

constexpr const char* helpText =
    "Usage: linewright [FILE.lwf]\n"
    "       linewright --version | --help\n"
    "\n"
    "Opens the desktop program. FILE.lwf, when given (the last argument counts), is\n"
    "the document to open instead of the one the previous run left open.\n"
    "The template Default.lwf, the help pages (Help/) and the examples are looked for\n"
    "beside the program, then in ../share/linewright.\n";

// --version and --help answer without a display; true when one of them was given.
bool AnswerInformationOption(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts(lw::ProgramVersionText);
      return true;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(helpText, stdout);
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (AnswerInformationOption(argc, argv)) return 0;
  Application application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Linewright"));
  // Lets the desktop match the windows to the installed desktop entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.linewright"));
  // The program ends with its main window, whatever secondary window stays open.
  QApplication::setQuitOnLastWindowClosed(false);
  // The windows are laid out for an 11-pixel sans-serif face.
  QApplication::setFont(lw::ToQFont(lw::LabelFont{}));
  const lw::StandardDialogTexts standardTexts;

  std::vector<std::string> arguments;
  // Kept absolute: the options file remembers the document for runs started elsewhere.
  for (const QString& argument : QApplication::arguments().mid(1)) {
    arguments.push_back(QFileInfo(argument).absoluteFilePath().toStdString());
  }
  lw::DesktopProgram program(
      lw::FindProgramFolder(QApplication::applicationDirPath().toStdString()), arguments);
  program.Main().OnClosed = [] { QApplication::quit(); };
  // The unsaved document is kept from here on; what a killed run left is offered
  // once the window is up.
  program.State().KeepRecovery(lw::Program::DefaultRecoveryFolder());
  program.Main().showMaximized();
  QTimer::singleShot(0, &program.Main(), [&program] { program.Main().OfferRecovery(); });
  return QApplication::exec();
}
