// linewright-cli render3d: builds all 3D graphs of a document as the program's
// "build all" does and draws one frame of the 3D view off-screen, with the view's
// own OpenGL code, lighting and camera.
#include <QImage>
#include <charconv>
#include <optional>
#include <ostream>
#include <string>

#include "Commands.h"
#include "HeadlessScene3D.h"
#include "OffscreenGl.h"
#include "PictureOutput.h"
#include "Scene3DCommands.h"
#include "document/SettingsFile.h"

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

// Reads one option with its value; false (the reason in `why`) for a bad one.
bool TakeOption(std::string_view name, std::string_view value, Render3DOptions& o,
                std::string& why) {
  if (name == "-o" || name == "--output") {
    o.output = value;
  } else if (name == "--size") {
    if (!ParseSize(value, o.width, o.height) || o.width < 1 || o.height < 1 ||
        o.width > MaxOffscreenSide || o.height > MaxOffscreenSide) {
      why = "the size must be WxH between 1x1 and 4096x4096";
      return false;
    }
  } else if (name == "--turn") {
    if (!ParseAngles(value, o.turn)) {
      why = "the turn must be three angles in degrees, AX,AY,AZ";
      return false;
    }
  } else {
    o.mode = ModeOf(value);
    if (!o.mode) {
      why = "the mode must be points, lines or polygons";
      return false;
    }
  }
  return true;
}

std::optional<Render3DOptions> ParseRender3D(Args args, std::ostream& err) {
  Render3DOptions o;
  auto fail = [&err](std::string_view why) {
    err << "linewright-cli render3d: " << why << "\n\n";
    PrintRender3DUsage(err);
    return std::optional<Render3DOptions>{};
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool takesValue =
        arg == "-o" || arg == "--output" || arg == "--size" || arg == "--turn" || arg == "--mode";
    if (takesValue) {
      if (i + 1 >= args.size()) return fail("missing value after '" + std::string(arg) + "'");
      std::string why;
      if (!TakeOption(arg, args[++i], o, why)) return fail(why);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option '" + std::string(arg) + "'");
    } else if (o.document.empty()) {
      o.document = arg;
    } else {
      return fail("more than one document given");
    }
  }
  if (o.document.empty()) return fail("no document given");
  const std::optional<const char*> format = PictureFormatOf(o.output);
  if (!format) return fail("the output picture (-o) must end in .png or .bmp");
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
  if (!WritePicture(ToImage(*pixels), o.output, o.format)) {
    err << "Помилка збереження файлу! - " << o.output << '\n';
    return ExitFailed;
  }
  return ExitOk;
}

}  // namespace

int RunRender3D(Args args, std::istream&, std::ostream& out, std::ostream& err) {
  for (const std::string_view arg : args) {
    if (arg == "--help") {
      PrintRender3DUsage(out);
      return ExitOk;
    }
  }
  const std::optional<Render3DOptions> options = ParseRender3D(args, err);
  if (!options) return ExitUsage;
  return Render(*options, err);
}

}  // namespace lw::cli
