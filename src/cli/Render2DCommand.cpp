// linewright-cli render2d: builds all 2D graphs of a document as the program's
// "build all" does, on a freshly cleared picture, and writes the visible part.
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QString>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "BuildCommands.h"
#include "Commands.h"
#include "FileIo.h"
#include "Palette.h"
#include "PngFormat.h"
#include "SettingsFile.h"

namespace lw::cli {
namespace {

struct Render2DOptions {
  std::string document;
  std::string output;
  std::string palette;
  int width = 800;
  int height = 600;
  const char* format = "PNG";
};

void PrintRender2DUsage(std::ostream& out) {
  out << "Usage: linewright-cli render2d DOC.lwf -o OUT.bmp|OUT.png [--size WxH]\n"
         "                                [--palette FILE.plt]\n\n"
         "Builds all 2D graphs of the document as \"build all\" does, with a plot view of\n"
         "W x H pixels (default 800x600, at most 1600x1200) on a freshly cleared picture,\n"
         "and writes the visible part as a BMP or PNG picture (chosen by the extension).\n"
         "Without --palette the colour maps use the palette the program has at start-up.\n"
         "The final status text goes to standard error; the exit code is 1 when the\n"
         "build parameters are invalid or a file cannot be read or written.\n";
}

bool ParseSize(std::string_view text, int& w, int& h) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return false;
  const std::string_view a = text.substr(0, x), b = text.substr(x + 1);
  const auto ra = std::from_chars(a.data(), a.data() + a.size(), w);
  const auto rb = std::from_chars(b.data(), b.data() + b.size(), h);
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

// Reads the command line; an empty optional means a usage error already reported.
std::optional<Render2DOptions> ParseRender2D(Args args, std::ostream& err) {
  Render2DOptions o;
  auto fail = [&err](std::string_view why, std::string_view what = {}) {
    err << "linewright-cli render2d: " << why;
    if (!what.empty()) err << " '" << what << "'";
    err << "\n\n";
    PrintRender2DUsage(err);
    return std::optional<Render2DOptions>{};
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool takesValue =
        arg == "-o" || arg == "--output" || arg == "--size" || arg == "--palette";
    if (takesValue && i + 1 >= args.size()) return fail("missing value after", arg);
    if (arg == "-o" || arg == "--output") {
      o.output = args[++i];
    } else if (arg == "--size") {
      const std::string_view size = args[++i];
      if (!ParseSize(size, o.width, o.height)) return fail("bad size", size);
      if (o.width < 1 || o.height < 1 || o.width > 1600 || o.height > 1200) {
        return fail("the size must lie between 1x1 and 1600x1200");
      }
    } else if (arg == "--palette") {
      o.palette = args[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option", arg);
    } else if (o.document.empty()) {
      o.document = arg;
    } else {
      return fail("more than one document given");
    }
  }
  if (o.document.empty()) return fail("no document given");
  if (o.output.empty()) return fail("no output picture given (-o OUT.bmp or OUT.png)");
  if (EndsWithNoCase(o.output, ".bmp")) {
    o.format = "BMP";
  } else if (!EndsWithNoCase(o.output, ".png")) {
    return fail("the output picture must end in .bmp or .png");
  }
  return o;
}

// Qt's own notes about the platform (a missing runtime folder and the like) would mix
// with the status text on standard error; only fatal messages get through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) std::fputs(message.toLocal8Bit().constData(), stderr);
}

// Text needs a GUI application object; without a display the offscreen platform serves.
struct GuiSession {
  int argc = 1;
  char name[16] = "linewright-cli";
  char* argv[2] = {name, nullptr};
  QtMessageHandler previous = nullptr;
  std::unique_ptr<QGuiApplication> app;

  GuiSession() {
    previous = qInstallMessageHandler(QuietQtMessages);
    if (QGuiApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  ~GuiSession() {
    app.reset();
    qInstallMessageHandler(previous);
  }
  GuiSession(const GuiSession&) = delete;
  GuiSession& operator=(const GuiSession&) = delete;
};

// PNG pictures are encoded straight from the picture's rows; the program's bitmap
// pictures are 24-bit, written by Qt.
bool WritePicture(const PlotPicture& picture, const Render2DOptions& o) {
  if (o.format[0] == 'P') {
    const std::string png = EncodePng(
        o.width, o.height, [&](int y, std::uint8_t* rgb) { picture.RgbRow(y, o.width, rgb); });
    return !png.empty() && WriteFileAtomically(o.output, png);
  }
  QSaveFile file(QString::fromStdString(o.output));
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QImage out = picture.ToImage(o.width, o.height).convertToFormat(QImage::Format_RGB888);
  if (!out.save(&file, o.format)) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

int Render(const Render2DOptions& o, std::ostream& err) {
  Document doc;
  const FileResult loaded = LoadSettingsFile(o.document, doc);
  if (loaded != FileResult::Ok) {
    err << (loaded == FileResult::UnknownFormat ? "Невідомий формат Файлу! - "
                                                : "Помилка завантаження файлу! - ")
        << o.document << '\n';
    return ExitFailed;
  }
  Palette palette = StartupPalette();
  if (!o.palette.empty() && LoadPaletteFile(o.palette, palette) != PaletteFileResult::Ok) {
    err << "Помилка завантаження файлу Палітри! - " << o.palette << '\n';
    return ExitFailed;
  }
  GuiSession gui;
  Params2D params;
  View2D view;
  PlotPicture picture;
  FormulaParser explicitParser;
  DivisionTrackingParser poleParser;
  RecordingStatus status;
  SilentProgress progress;
  TemporaryGrid grid;
  Plot2DContext ctx{doc,    params,   view, picture, explicitParser, poleParser, palette,
                    status, progress, grid, nullptr, nullptr,        o.width,    o.height};
  picture.Fill(doc.Appearance.BackgroundColor);
  BuildAll2D(ctx);
  err << status.Text() << '\n';
  if (status.TimerStarts() == 0) return ExitFailed;  // the parameters were refused
  if (!WritePicture(picture, o)) {
    err << "Помилка збереження файлу! - " << o.output << '\n';
    return ExitFailed;
  }
  return ExitOk;
}

}  // namespace

int RunRender2D(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  for (const std::string_view arg : args) {
    if (arg == "--help") {
      PrintRender2DUsage(out);
      return ExitOk;
    }
  }
  const std::optional<Render2DOptions> options = ParseRender2D(args, err);
  if (!options) return ExitUsage;
  return Render(*options, err);
}

}  // namespace lw::cli
