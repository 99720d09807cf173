// linewright-cli render2d: builds all 2D graphs of a document as the program's
// "build all" does, on a freshly cleared picture, and writes the visible part.
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/ConstantOptions.h"
#include "cli/PictureOutput.h"
#include "document/FileIo.h"
#include "document/Palette.h"
#include "document/SettingsFile.h"
#include "plot2d/BuildCommands.h"
#include "plot2d/PngFormat.h"
#include "plot2d/VectorFormats.h"

namespace lw::cli {
namespace {

struct Render2DOptions {
  std::string document;
  std::string output;
  std::string palette;
  int width = 800;
  int height = 600;
  int threads = 0;  // every core
  const char* format = "PNG";
  std::vector<ConstantSet> sets;
  std::optional<ConstantSweep> sweep;
};

void PrintRender2DUsage(std::ostream& out) {
  out << "Usage: linewright-cli render2d DOC.lwf -o OUT.bmp|OUT.png|OUT.svg|OUT.pdf\n"
         "                                [--size WxH]\n"
         "                                [--palette FILE.plt] [--set A=1.5]...\n"
         "                                [--sweep A=FROM:TO:STEP] [--threads N]\n\n"
         "Builds all 2D graphs of the document as \"build all\" does, with a plot view of\n"
         "W x H pixels (default 800x600, at most 8192x8192) on a freshly cleared picture,\n"
         "and writes the visible part as a BMP or PNG picture, or as an SVG or PDF drawing\n"
         "that stays sharp at any size (one pixel a unit, 96 per inch; chosen by the\n"
         "extension).\n"
         "Without --palette the colour maps use the palette the program has at start-up.\n"
         "--set A=1.5 (repeatable) gives the constant A that value: every line of the 2D\n"
         "constants list that assigns A is replaced, or A=1.5 is put first when none does.\n"
         "--sweep A=1:5:0.5 renders one picture per value from 1 to 5 in steps of 0.5;\n"
         "OUT must then hold one number field such as %03d (frames/%03d.png gives\n"
         "frames/000.png, frames/001.png, ...), so the frames can become an animation.\n"
         "The final status text goes to standard error; the exit code is 1 when the\n"
         "build parameters are invalid or a file cannot be read or written.\n"
      << ThreadsUsage;
}

// Reads the command line; the exit code instead when it was refused or asked for help.
std::variant<Render2DOptions, int> ParseRender2D(Args args, std::ostream& out, std::ostream& err) {
  Render2DOptions o;
  std::string size, sweep;
  std::vector<std::string> sets;
  CommandParser parser("render2d", PrintRender2DUsage);
  CLI::App& app = parser.App();
  app.add_option("document", o.document);
  app.add_option("-o,--output", o.output);
  app.add_option("--size", size)->check([](const std::string& text) {
    int width = 0, height = 0;
    if (!ParseSize(text, width, height)) return "bad size '" + text + "'";
    const bool fits = width >= 1 && height >= 1 && width <= PlotPicture::MaxWidth &&
                      height <= PlotPicture::MaxHeight;
    return fits ? std::string() : "the size must lie between 1x1 and 8192x8192";
  });
  app.add_option("--palette", o.palette);
  app.add_option("--set", sets)->check([](const std::string& text) {
    return ParseConstantSet(text)
               ? std::string()
               : "bad constant (expected a letter, '=' and a number) '" + text + "'";
  });
  app.add_option("--sweep", sweep)->check([](const std::string& text) {
    return ParseConstantSweep(text) ? std::string()
                                    : "bad sweep (expected A=FROM:TO:STEP, STEP above 0, at "
                                      "most 100000 values) '" +
                                          text + "'";
  });
  parser.AddThreads(o.threads);
  if (const std::optional<int> exit = parser.Parse(args, out, err)) return *exit;
  if (!size.empty()) ParseSize(size, o.width, o.height);
  for (const std::string& text : sets) o.sets.push_back(*ParseConstantSet(text));
  if (!sweep.empty()) o.sweep = ParseConstantSweep(sweep);
  if (o.document.empty()) return parser.Refuse("no document given", err);
  if (o.output.empty()) {
    return parser.Refuse("no output picture given (-o OUT.bmp, OUT.png, OUT.svg or OUT.pdf)", err);
  }
  const std::optional<const char*> format = PictureOrDrawingFormatOf(o.output);
  if (!format) {
    return parser.Refuse("the output picture must end in .bmp, .png, .svg or .pdf", err);
  }
  o.format = *format;
  if (o.sweep && !IsFramePattern(o.output)) {
    return parser.Refuse(
        "with --sweep the output needs one number field such as %03d '" + o.output + "'", err);
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

// Drawings are written from the picture's record of shapes. PNG pictures are encoded
// straight from the picture's rows; bitmap pictures are made in place from the
// picture's own pixels, so that a large picture is never held twice on its way to a
// file (a picture for print may be 8192 x 8192).
bool WriteOutput(PlotPicture& picture, const Render2DOptions& o, const std::string& output,
                 int& error) {
  const std::string_view format = o.format;
  if (format == "SVG" || format == "PDF") {
    const std::string bytes = format == "SVG" ? EncodeSvg(picture.Record(), o.width, o.height)
                                              : EncodePdf(picture.Record(), o.width, o.height);
    error = bytes.empty() ? ENOMEM : 0;
    return !bytes.empty() && WriteFileAtomically(output, bytes, &error);
  }
  if (format == "PNG") {
    const std::string png = EncodePng(
        o.width, o.height, [&](int y, std::uint8_t* rgb) { picture.RgbRow(y, o.width, rgb); },
        [&](int y) { return picture.RowRepeats(y, o.width); });
    error = png.empty() ? ENOMEM : 0;
    return !png.empty() && WriteFileAtomically(output, png, &error);
  }
  return WritePicture(picture.TakeImage(o.width, o.height), output, o.format, error);
}

// Builds doc on a freshly cleared picture and writes it to output; false (with the
// message on err) when the parameters were refused or the file cannot be written.
bool RenderOne(const Document& doc, const Palette& palette, const Render2DOptions& o,
               const std::string& output, std::ostream& err) {
  Params2D params;
  View2D view;
  // The picture the program has behind a plot view of this size, freshly cleared.
  PlotPicture picture(PlotPicture::SizeForView(o.width, o.height), doc.Appearance.BackgroundColor);
  FormulaParser explicitParser;
  DivisionTrackingParser poleParser;
  RecordingStatus status;
  SilentProgress progress;
  TemporaryGrid grid;
  Plot2DContext ctx{doc,    params,   view, picture, explicitParser, poleParser, palette,
                    status, progress, grid, nullptr, nullptr,        o.width,    o.height};
  const WorkControl work(o.threads);
  ctx.work = &work;
  BuildAll2D(ctx);
  err << status.Text() << '\n';
  if (status.TimerStarts() == 0) return false;  // the parameters were refused
  if (int error = 0; !WriteOutput(picture, o, output, error)) {
    err << "Помилка збереження файлу! - " << output << '\n';
    ReportWriteReason(err, output, error);
    return false;
  }
  return true;
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
  ApplyConstantSets(doc.Params.Constants2D, o.sets);
  GuiSession gui;
  if (!o.sweep) return RenderOne(doc, palette, o, o.output, err) ? ExitOk : ExitFailed;
  const int frames = o.sweep->FrameCount();
  for (int frame = 0; frame < frames; ++frame) {
    Document step = doc;
    ApplyConstantSets(step.Params.Constants2D, {{o.sweep->name, o.sweep->ValueAt(frame)}});
    if (!RenderOne(step, palette, o, FramePath(o.output, frame), err)) return ExitFailed;
  }
  return ExitOk;
}

}  // namespace

int RunRender2D(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  const std::variant<Render2DOptions, int> parsed = ParseRender2D(args, out, err);
  if (const int* exit = std::get_if<int>(&parsed)) return *exit;
  return Render(std::get<Render2DOptions>(parsed), err);
}

}  // namespace lw::cli
