#include "scene3d/Scene3DCommands.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>

#include "document/Document.h"
#include "document/Feedback.h"
#include "scene3d/G3dFile.h"
#include "scene3d/SurfaceBuilder.h"

namespace lw {
namespace {

// Validates the 3D fields and the grids of the graphs to build, and sizes the
// progress bar: two steps per row of the outer axis (points, then cells) plus one.
bool Prepare(Build3DContext& context, std::span<const std::size_t> indices) {
  if (!ValidateParams3D(context.document.Params, context.params, context.surfaceParser,
                        context.status)) {
    return false;
  }
  if (const auto refusal = CheckGrids(context.params, context.document.Graphs3D, indices)) {
    context.status.SetStatus(std::string(StepMessage(refusal->axis)));
    return false;
  }
  const Params3D& p = context.params;
  const double rows = std::trunc(static_cast<double>((p.YEnd3D - p.YStart3D) / p.StepY));
  // A huge or undefined quotient must not overflow the bar's integer.
  const double clamped = std::isnan(rows) ? 0.0 : std::clamp(rows, 0.0, INT_MAX / 2.0 - 1.0);
  context.progress.SetMaximum(2 * static_cast<int>(clamped) + 1);
  return true;
}

std::string GraphCaption(std::size_t graphIndex) {
  return "Стан побудови : графік №" + std::to_string(graphIndex + 1);
}

// Camera, progress window, status timer and the screen, after either build.
void Finish(Build3DContext& context, bool resetBar) {
  const Params3D& p = context.params;
  context.scene.camera.tx = p.PosX;
  context.scene.camera.ty = p.PosY;
  context.scene.camera.tz = p.PosZ;
  context.progress.Close();
  if (resetBar) context.progress.SetPosition(0);
  context.status.StartStatusTimer();
  context.view.RepaintMainWindow();
  context.view.RebuildDisplayLists();
  context.view.PaintScene();
}

}  // namespace

std::string GraphObjectName(std::size_t graphIndex) {
  return "Graph_" + std::to_string(graphIndex + 1);
}

void BuildSelected3D(Build3DContext& context, int& selected) {
  const PlotList3D& graphs = context.document.Graphs3D;
  if (selected < 0 || static_cast<std::size_t>(selected) >= graphs.Count()) {
    if (graphs.Empty()) return;
    selected = 0;
  }
  const auto index = static_cast<std::size_t>(selected);
  if (!Prepare(context, std::span(&index, 1))) return;
  context.progress.SetCaption(GraphCaption(index));
  context.progress.Show();
  if (context.document.Appearance.Clear3D) ClearBlock(context.block);
  // Into an empty space the axes object comes first.
  if (context.block.objects.empty()) AppendObject(context.block, AxesObjectName);
  AppendObject(context.block, GraphObjectName(index));
  BuildSurface(context, index, graphs.At(index), context.block.objects.size() - 1);
  BuildAxes(context);
  Finish(context, true);
}

bool BuildAll3D(Build3DContext& context) {
  const PlotList3D& graphs = context.document.Graphs3D;
  if (!Prepare(context, AllGraphs3D(graphs.Count()))) return false;
  context.progress.Show();
  if (context.document.Appearance.Clear3D) ClearBlock(context.block);
  if (context.block.objects.empty()) AppendObject(context.block, AxesObjectName);
  const std::size_t first = context.block.objects.size();
  for (std::size_t j = 0; j < graphs.Count(); ++j) AppendObject(context.block, GraphObjectName(j));
  for (std::size_t j = 0; j < graphs.Count(); ++j) {
    context.progress.SetCaption(GraphCaption(j));
    BuildSurface(context, j, graphs.At(j), first + j);
    context.progress.SetPosition(0);
  }
  BuildAxes(context);
  Finish(context, false);
  return true;
}

void Clear3DSpace(Build3DContext& context) {
  ClearBlock(context.block);
}

bool PrepareBuild3D(Build3DContext& context, std::span<const std::size_t> indices) {
  return Prepare(context, indices);
}

std::vector<std::size_t> AllGraphs3D(std::size_t count) {
  std::vector<std::size_t> indices(count);
  for (std::size_t j = 0; j < count; ++j) indices[j] = j;
  return indices;
}

void BuildGraphs3D(Build3DContext& staging, const std::vector<std::size_t>& indices,
                   bool resetBarAfterEach) {
  const PlotList3D& graphs = staging.document.Graphs3D;
  for (const std::size_t j : indices) {
    if (Stopped(staging.work)) return;
    staging.progress.SetCaption(GraphCaption(j));
    AppendObject(staging.block, GraphObjectName(j));
    BuildSurface(staging, j, graphs.At(j), staging.block.objects.size() - 1);
    if (Stopped(staging.work)) {
      staging.block.objects.pop_back();
      return;
    }
    if (resetBarAfterEach) staging.progress.SetPosition(0);
  }
}

void CommitGraphs3D(Build3DContext& context, G3dBlock& staged, bool resetBar) {
  if (context.document.Appearance.Clear3D) ClearBlock(context.block);
  if (context.block.objects.empty()) AppendObject(context.block, AxesObjectName);
  for (auto& object : staged.objects) context.block.objects.push_back(std::move(object));
  staged.objects.clear();
  BuildAxes(context);
  Finish(context, resetBar);
}

std::optional<Space3DFileKind> KindOfExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return std::nullopt;
  }
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  static constexpr std::pair<std::string_view, Space3DFileKind> kinds[] = {
      {"t3d", Space3DFileKind::T3d},       {"dxf", Space3DFileKind::Dxf},
      {"stl", Space3DFileKind::StlBinary}, {"obj", Space3DFileKind::Obj},
      {"ply", Space3DFileKind::Ply},       {"glb", Space3DFileKind::Glb},
      {"gltf", Space3DFileKind::Gltf},     {"3mf", Space3DFileKind::ThreeMf},
      {"off", Space3DFileKind::Off},       {"amf", Space3DFileKind::Amf}};
  for (const auto& [name, kind] : kinds) {
    if (extension == name) return kind;
  }
  return std::nullopt;
}

Space3DFileKind KindOfPath(const std::string& path) {
  return KindOfExtension(path).value_or(Space3DFileKind::Dxf);
}

std::optional<MeshFormat> MeshFormatOf(Space3DFileKind kind) {
  switch (kind) {
    case Space3DFileKind::StlBinary:
      return MeshFormat::StlBinary;
    case Space3DFileKind::StlAscii:
      return MeshFormat::StlAscii;
    case Space3DFileKind::Obj:
      return MeshFormat::Obj;
    case Space3DFileKind::Ply:
      return MeshFormat::PlyBinary;
    case Space3DFileKind::Glb:
      return MeshFormat::Glb;
    case Space3DFileKind::Gltf:
      return MeshFormat::Gltf;
    case Space3DFileKind::ThreeMf:
      return MeshFormat::ThreeMf;
    case Space3DFileKind::Off:
      return MeshFormat::Off;
    case Space3DFileKind::Amf:
      return MeshFormat::Amf;
    case Space3DFileKind::T3d:
    case Space3DFileKind::Dxf:
      break;
  }
  return std::nullopt;
}

bool CanSave3D(Space3DFileKind kind) {
  if (kind == Space3DFileKind::Dxf) return true;
  const std::optional<MeshFormat> format = MeshFormatOf(kind);
  return format && CanWriteMesh(*format);
}

std::optional<Space3DFileKind> KindNamed(std::string_view name) {
  static constexpr std::pair<std::string_view, Space3DFileKind> kinds[] = {
      {"dxf", Space3DFileKind::Dxf},
      {"stl", Space3DFileKind::StlBinary},
      {"stl-ascii", Space3DFileKind::StlAscii},
      {"obj", Space3DFileKind::Obj},
      {"ply", Space3DFileKind::Ply},
      {"glb", Space3DFileKind::Glb},
      {"gltf", Space3DFileKind::Gltf},
      {"3mf", Space3DFileKind::ThreeMf},
      {"off", Space3DFileKind::Off},
      {"amf", Space3DFileKind::Amf},
      {"t3d", Space3DFileKind::T3d}};
  for (const auto& [text, kind] : kinds) {
    if (name == text) return kind;
  }
  return std::nullopt;
}

int Read3DFile(G3dFile& file, const std::string& path, Space3DFileKind kind) {
  if (const std::optional<MeshFormat> mesh = MeshFormatOf(kind)) return file.ReadMesh(path, *mesh);
  return kind == Space3DFileKind::T3d ? file.ReadT3d(path) : file.ReadDxf(path);
}

int Write3DFile(G3dFile& file, const std::string& path, Space3DFileKind kind) {
  if (kind == Space3DFileKind::Dxf) return file.WriteDxf(path);
  const std::optional<MeshFormat> mesh = MeshFormatOf(kind);
  return CanSave3D(kind) ? file.WriteMesh(path, *mesh) : FileCannotWrite;
}

std::string Read3DFileStatus(int result, const std::string& path) {
  switch (result) {
    case FileDone:
      return "Завантаження - " + path + " - Окей";
    case FileUnknownFormat:
      return "Невідомий формат Файлу! - " + path;
    case FileStopped:
      return "Завантаження перервано. - " + path;
    default:
      return "Помилка завантаження файлу! - " + path;
  }
}

std::string Write3DFileStatus(int result, const std::string& path) {
  switch (result) {
    case FileDone:
      return "Збереження - " + path + " - Окей";
    case FileStopped:
      return "Збереження перервано. - " + path;
    case FileOutOfMemory:
      return "Недостатньо пам'яті для збереження! - " + path;
    default:
      return "Помилка збереження файлу! - " + path;
  }
}

int ReadSpaceFile(G3dBlock& staging, const Palette& palette3D, const std::string& path,
                  Space3DFileKind kind, const WorkControl* work, std::string* reason) {
  G3dFile file(&staging, &palette3D);
  file.SetWork(work);
  int result = Read3DFile(file, path, kind);
  if (reason != nullptr) *reason = file.ReadReason();
  // A stop cuts the read short wherever it lands; a companion file left unread then
  // looks like a broken file, which it is not.
  if (Stopped(work)) result = FileStopped;
  if (result == FileDone) {
    ComputeBlockNormals(staging);
    CentreBlock(staging);
  }
  return result;
}

void CommitSpaceFile(Build3DContext& context, G3dBlock& staged, int result,
                     const std::string& path) {
  if (result == FileDone) {
    G3dBlock& block = context.block;
    block.objects = std::move(staged.objects);
    staged.objects.clear();
    block.r = staged.r;
    block.g = staged.g;
    block.b = staged.b;
    block.colourSet = staged.colourSet;
    block.transform = staged.transform;
    context.view.RebuildDisplayLists();
    context.scene.camera.tx = 0.0f;
    context.scene.camera.ty = 0.0f;
    context.scene.camera.tz = -20.0f;
  }
  context.status.SetStatus(Read3DFileStatus(result, path));
}

// The block's colour and transform, which a read may keep or replace.
G3dBlock StagingFor(const G3dBlock& block) {
  G3dBlock staging;
  staging.r = block.r;
  staging.g = block.g;
  staging.b = block.b;
  staging.colourSet = block.colourSet;
  staging.transform = block.transform;
  return staging;
}

int Open3DFile(Build3DContext& context, const std::string& path, Space3DFileKind kind,
               std::string* reason) {
  context.view.PaintScene();
  G3dBlock staging = StagingFor(context.block);
  const int result = ReadSpaceFile(staging, context.palette3D, path, kind, context.work, reason);
  CommitSpaceFile(context, staging, result, path);
  return result;
}

int Save3DFile(Build3DContext& context, const std::string& path, Space3DFileKind kind,
               int* writeError) {
  context.view.RepaintMainWindow();
  context.view.PaintScene();
  G3dFile file(&context.block, &context.palette3D);
  file.SetWork(context.work);
  const int result = Write3DFile(file, path, kind);
  if (writeError != nullptr) *writeError = file.WriteError();
  context.status.SetStatus(Write3DFileStatus(result, path));
  context.view.PaintScene();
  return result;
}

}  // namespace lw
