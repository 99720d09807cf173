// linewright-cli render3d: builds all 3D graphs of a document as the program's
// "build all" does and draws one frame of the 3D view off-screen, with the view's
// own OpenGL code, lighting and camera.
#include <QImage>
#include <charconv>
#include <optional>
#include <ostream>
#include <string>
#include <variant>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/PictureOutput.h"
#include "document/SettingsFile.h"
#include "scene3d/HeadlessScene3D.h"
#include "scene3d/OffscreenGl.h"
#include "scene3d/Scene3DCommands.h"

namespace lw::cli {
namespace {

struct Render3DOptions {
  std::string document;
  std::string output;
  const char* format = "PNG";
  int width = 800;
  int height = 600;
  G3dTransform turn;        // only the angles are used
  std::optional<int> mode;  // the document's drawing mode when not given
};

void PrintRender3DUsage(std::ostream& out) {
  out << "Usage: linewright-cli render3d DOC.lwf -o OUT.png|OUT.bmp [--size WxH]\n"
         "                                [--turn AX,AY,AZ] [--mode points|lines|polygons]\n\n"
         "Builds all 3D graphs of the document as \"build all\" does on an empty 3D space\n"
         "and draws them as the 3D view does (its OpenGL code, light, colours and camera)\n"
         "into a picture of W x H pixels (default 800x600, at most 4096x4096), without a\n"
         "display. --turn turns the figure as a drag with the mouse would: AX degrees\n"
         "about the -X axis, AY about Y, AZ about Z (default 0,0,0). --mode draws the\n"
         "triangle corners, edges or filled triangles; the default is the document's\n"
         "\"Як малювати :\". The status texts go to standard error.\n";
}

bool ParseAngles(std::string_view text, G3dTransform& turn) {
  float values[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = i < 2 ? text.find(',') : text.size();
    if (comma == std::string_view::npos) return false;
    const std::string_view part = text.substr(0, comma);
    const auto result = std::from_chars(part.data(), part.data() + part.size(), values[i]);
    if (part.empty() || result.ec != std::errc{} || result.ptr != part.data() + part.size()) {
      return false;
    }
    text.remove_prefix(i < 2 ? comma + 1 : comma);
  }
  turn.angleX = values[0];
  turn.angleY = values[1];
  turn.angleZ = values[2];
  return true;
}

std::optional<int> ModeOf(std::string_view name) {
  if (name == "points") return 0;
  if (name == "lines") return 1;
  if (name == "polygons") return 2;
  return std::nullopt;
}

// Reads the command line; the exit code instead when it was refused or asked for help.
std::variant<Render3DOptions, int> ParseRender3D(Args args, std::ostream& out, std::ostream& err) {
  Render3DOptions o;
  std::string size, turn, mode;
  CommandParser parser("render3d", PrintRender3DUsage);
  CLI::App& app = parser.App();
  app.add_option("document", o.document);
  app.add_option("-o,--output", o.output);
  app.add_option("--size", size)->check([](const std::string& text) {
    int width = 0, height = 0;
    const bool fits = ParseSize(text, width, height) && width >= 1 && height >= 1 &&
                      width <= MaxOffscreenSide && height <= MaxOffscreenSide;
    return fits ? std::string() : "the size must be WxH between 1x1 and 4096x4096";
  });
  app.add_option("--turn", turn)->check([](const std::string& text) {
    G3dTransform unused;
    return ParseAngles(text, unused) ? std::string()
                                     : "the turn must be three angles in degrees, AX,AY,AZ";
  });
  app.add_option("--mode", mode)->check([](const std::string& text) {
    return ModeOf(text) ? std::string() : "the mode must be points, lines or polygons";
  });
  if (const std::optional<int> exit = parser.Parse(args, out, err)) return *exit;
  if (!size.empty()) ParseSize(size, o.width, o.height);
  if (!turn.empty()) ParseAngles(turn, o.turn);
  if (!mode.empty()) o.mode = ModeOf(mode);
  if (o.document.empty()) return parser.Refuse("no document given", err);
  const std::optional<const char*> format = PictureFormatOf(o.output);
  if (!format) return parser.Refuse("the output picture (-o) must end in .png or .bmp", err);
  o.format = *format;
  return o;
}

QImage ToImage(const RgbPixels& pixels) {
  QImage image(pixels.width, pixels.height, QImage::Format_RGB888);
  const std::size_t row = static_cast<std::size_t>(pixels.width) * 3;
  for (int y = 0; y < pixels.height; ++y) {
    std::copy_n(&pixels.bytes[static_cast<std::size_t>(y) * row], row, image.scanLine(y));
  }
  return image;
}

int Render(const Render3DOptions& o, std::ostream& err) {
  HeadlessScene3D space;
  const FileResult loaded = LoadSettingsFile(o.document, space.document);
  if (loaded != FileResult::Ok) {
    err << (loaded == FileResult::UnknownFormat ? "Невідомий формат Файлу! - "
                                                : "Помилка завантаження файлу! - ")
        << o.document << '\n';
    return ExitFailed;
  }
  if (space.document.Graphs3D.Empty()) {
    // A picture of nothing but the background would pass for a result.
    err << "linewright-cli render3d: " << o.document << " has no 3D graphs to draw\n";
    return ExitFailed;
  }
  // As the program: the far plane it sets at start-up, the drawing mode a loaded
  // document brings, the camera a build leaves, turned as a drag would.
  space.scene.farPlane = 1000.0f;
  const int mode = o.mode.value_or(space.document.Appearance.DrawMode3D);
  space.scene.frontMode = space.scene.backMode = mode;
  Build3DContext context = space.Context();
  const bool built = BuildAll3D(context);
  err << space.status.Text() << '\n';
  if (!built) return ExitFailed;
  space.scene.camera.angleX = o.turn.angleX;
  space.scene.camera.angleY = o.turn.angleY;
  space.scene.camera.angleZ = o.turn.angleZ;
  std::string why;
  const std::optional<RgbPixels> pixels = RenderOffscreen(space.scene, o.width, o.height, why);
  if (!pixels) {
    err << "linewright-cli render3d: " << why << '\n';
    return ExitFailed;
  }
  if (int error = 0; !WritePicture(ToImage(*pixels), o.output, o.format, error)) {
    err << "Помилка збереження файлу! - " << o.output << '\n';
    ReportWriteReason(err, o.output, error);
    return ExitFailed;
  }
  return ExitOk;
}

}  // namespace

int RunRender3D(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  const std::variant<Render3DOptions, int> parsed = ParseRender3D(args, out, err);
  if (const int* exit = std::get_if<int>(&parsed)) return *exit;
  return Render(std::get<Render3DOptions>(parsed), err);
}

}  // namespace lw::cli
