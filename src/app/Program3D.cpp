#include "Program3D.h"

namespace lw {

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

namespace {

template <std::size_t N>
std::string JoinedFilters(const Space3DFileType (&types)[N]) {
  std::string joined;
  for (const Space3DFileType& type : types) {
    if (!joined.empty()) joined += ";;";
    joined += type.filter;
  }
  return joined;
}

template <std::size_t N>
std::optional<Space3DFileKind> KindOfType(const Space3DFileType (&types)[N],
                                          std::string_view filter) {
  for (const Space3DFileType& type : types) {
    if (type.filter == filter) return type.kind;
  }
  return std::nullopt;
}

}  // namespace

std::string Open3DFilter() {
  return JoinedFilters(Open3DTypes);
}

std::string Save3DFilter() {
  return JoinedFilters(Save3DTypes);
}

std::optional<Space3DFileKind> KindOfOpenType(std::string_view filter) {
  return KindOfType(Open3DTypes, filter);
}

std::optional<Space3DFileKind> KindOfSaveType(std::string_view filter) {
  return KindOfType(Save3DTypes, filter);
}

int Program3D::OpenFile(const std::string& path, std::optional<Space3DFileKind> kind) {
  Build3DContext context = Context();
  const int result = Open3DFile(context, path, kind.value_or(KindOfPath(path)));
  PaintIfShown();
  return result;
}

int Program3D::SaveFile(const std::string& path, std::optional<Space3DFileKind> kind) {
  Build3DContext context = Context();
  return Save3DFile(context, path, kind.value_or(KindOfPath(path)));
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
