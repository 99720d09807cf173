#include "WindowsTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTimer>

namespace lw::test {

namespace {
template <class T>
std::optional<T> Next(std::deque<T>& queue) {
  if (queue.empty()) return std::nullopt;
  T value = std::move(queue.front());
  queue.pop_front();
  return std::optional<T>(std::move(value));
}
}  // namespace

bool ScriptedDialogs::AskYesNo(QWidget*, const QString& question, const QString&) {
  answers_.questions.push_back(question);
  if (answers_.yesNo.empty()) return false;
  const bool yes = answers_.yesNo.front();
  answers_.yesNo.pop_front();
  return yes;
}

std::optional<Colour> ScriptedDialogs::ChooseColour(QWidget*, Colour) {
  ++answers_.colourAsks;
  return Next(answers_.colours);
}

std::optional<LabelFont> ScriptedDialogs::ChooseFont(QWidget*, const LabelFont&) {
  return Next(answers_.fonts);
}

std::optional<QString> ScriptedDialogs::OpenFileName(QWidget*, const QString& title, const QString&,
                                                     const QString&) {
  answers_.titles.push_back(title);
  return Next(answers_.files);
}

std::optional<QString> ScriptedDialogs::SaveFileName(QWidget*, const QString& title,
                                                     const QString& filter, const QString&) {
  answers_.titles.push_back(title);
  answers_.filterLists.push_back(filter);
  return Next(answers_.files);
}

std::optional<ChosenFile> ScriptedDialogs::OpenFileAndFilter(QWidget*, const QString& title,
                                                             const QString&, const QString&) {
  answers_.titles.push_back(title);
  std::optional<QString> path = Next(answers_.files);
  if (!path) return std::nullopt;
  return ChosenFile{*path, Next(answers_.filters).value_or(QString())};
}

std::optional<ChosenFile> ScriptedDialogs::SaveFileAndFilter(QWidget*, const QString& title,
                                                             const QString& filter,
                                                             const QString&) {
  answers_.titles.push_back(title);
  answers_.filterLists.push_back(filter);
  std::optional<QString> path = Next(answers_.files);
  if (!path) return std::nullopt;
  return ChosenFile{*path, Next(answers_.filters).value_or(QString())};
}

bool ScriptedDialogs::ChoosePrinter(QWidget*, QPrinter& printer) {
  ++answers_.printAsks;
  const std::optional<QString> file = Next(answers_.printFiles);
  if (!file) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(*file);
  return true;
}

bool ScriptedDialogs::ChoosePicturePrinter(QWidget* parent, QPrinter& printer, bool& fitToPage) {
  fitToPage = answers_.fitToPage;
  return ChoosePrinter(parent, printer);
}

ProgramFixture::ProgramFixture(std::vector<std::string> arguments) {
  Restart(std::move(arguments));
}

void ProgramFixture::Restart(std::vector<std::string> arguments) {
  desktop.reset();
  desktop = std::make_unique<DesktopProgram>(dir.path().toStdString(), std::move(arguments),
                                             std::make_unique<ScriptedDialogs>(answers));
}

std::string ProgramFixture::Path(const std::string& name) const {
  return dir.filePath(QString::fromStdString(name)).toStdString();
}

void WhenModal(std::function<void(QWidget* modal)> action) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    timer->stop();
    timer->deleteLater();
    action(modal);
  });
  timer->start();
}

void Pump(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
}

}  // namespace lw::test
