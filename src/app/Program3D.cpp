#include "Program3D.h"

namespace lw {

namespace {
std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
}  // namespace

namespace {

template <std::size_t N>
std::string JoinedLines(const std::array<Open3DFormat, N>& formats) {
  std::string result;
  for (const Open3DFormat& format : formats) {
    if (!result.empty()) result += ";;";
    result += format.filter;
  }
  return result;
}

template <std::size_t N>
Space3DFileKind KindOfLine(const std::array<Open3DFormat, N>& formats, std::string_view filter,
                           const std::string& path) {
  // File dialogs may give the line back without its surrounding blanks.
  for (const Open3DFormat& format : formats) {
    if (Trimmed(format.filter) == Trimmed(filter)) return format.kind;
  }
  return KindOfPath(path);
}

}  // namespace

std::string Open3DFilter() {
  return JoinedLines(Open3DFormats) + ";;" + std::string(Open3DAnyFilter);
}

Space3DFileKind KindOfChoice(std::string_view filter, const std::string& path) {
  return KindOfLine(Open3DFormats, filter, path);
}

std::string Save3DFilter() {
  return JoinedLines(Save3DFormats);
}

Space3DFileKind KindOfSaveChoice(std::string_view filter, const std::string& path) {
  return KindOfLine(Save3DFormats, filter, path);
}

Program3D::Program3D(Program& program) : program_(program), navigator_(&scene_) {
  scene_.farPlane = 1000.0f;
  auto block = std::make_unique<G3dBlock>();
  block_ = block.get();
  scene_.blocks.push_back(std::move(block));
  // The figure is first shown as lines, whatever the appearance window shows.
  StorePolygonMode(scene_, 1, 1);
  TakeSensitivities();
  program_.AddObserver(this);
}

Program3D::~Program3D() {
  program_.RemoveObserver(this);
}

Build3DContext Program3D::Context() {
  return {program_.Doc(), program_.Validated3D(),   scene_,
          *block_,        program_.SurfaceParser(), program_.Pal3D(),
          program_,       program_.Progress(),      View()};
}

void Program3D::BuildAll() {
  Build3DContext context = Context();
  BuildAll3D(context);
}

void Program3D::BuildSelected() {
  const auto selection = program_.Graphs3D().Selection();
  int selected = selection ? static_cast<int>(*selection) : -1;
  Build3DContext context = Context();
  BuildSelected3D(context, selected);
  if (selected >= 0 && selection != static_cast<std::size_t>(selected)) {
    program_.Select3D(static_cast<std::size_t>(selected));
  }
}

void Program3D::Clear() {
  Build3DContext context = Context();
  Clear3DSpace(context);
  // Only the objects still in the block are drawn, so no lists need compiling.
  PaintIfShown();
}

int Program3D::OpenFile(const std::string& path) {
  return OpenFile(path, KindOfPath(path));
}

int Program3D::OpenFile(const std::string& path, Space3DFileKind kind) {
  Build3DContext context = Context();
  const int result = Open3DFile(context, path, kind);
  PaintIfShown();
  return result;
}

int Program3D::SaveFile(const std::string& path) {
  return SaveFile(path, KindOfPath(path));
}

int Program3D::SaveFile(const std::string& path, Space3DFileKind kind) {
  Build3DContext context = Context();
  return Save3DFile(context, path, kind);
}

void Program3D::SetDrawMode(int mode) {
  StorePolygonMode(scene_, mode, mode);
  PaintIfShown();
}

void Program3D::SetMotionType(int mode) {
  navigator_.SetMotionMode(mode);
}

void Program3D::DocumentChanged() {
  const AppearanceSettings& a = program_.Doc().Appearance;
  SetDrawMode(a.DrawMode3D);
  SetMotionType(a.MotionType);
  TakeSensitivities();
}

void Program3D::AppearanceChanged() {
  TakeSensitivities();
}

void Program3D::TakeSensitivities() {
  const AppearanceSettings& a = program_.Doc().Appearance;
  navigator_.SetSensitivities({a.SensitivityX, a.SensitivityY, a.SensitivityZ, a.SensitivityRX,
                               a.SensitivityRY, a.SensitivityRZ});
}

void Program3D::PaintIfShown() {
  if (program_.Space() == SpaceMode::Space3D) View().PaintScene();
}

}  // namespace lw
