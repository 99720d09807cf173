#include "app/Program3D.h"

#include <memory>
#include <vector>

#include "document/WorkControl.h"
#include "formula/FormulaParser.h"
#include "scene3d/FileSniffing.h"
#include "scene3d/G3dFile.h"

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
  return KindOfFile(path, KindOfLine(Open3DFormats, filter, path));
}

std::string Save3DFilter() {
  return JoinedLines(Save3DFormats);
}

SaveChoice SaveChoiceOf(std::string_view filter, const std::string& path) {
  Space3DFileKind chosen = KindOfLine(Save3DFormats, filter, path);
  if (!CanSave3D(chosen)) chosen = Space3DFileKind::Dxf;
  const auto extension = [](Space3DFileKind kind) {
    const std::optional<MeshFormat> mesh = MeshFormatOf(kind);
    return std::string(mesh ? MeshExtension(*mesh) : "dxf");
  };
  if (const auto named = KindOfExtension(path); named && CanSave3D(*named)) {
    // The chosen line's own extension keeps the choice (binary or text STL).
    return {path, extension(*named) == extension(chosen) ? chosen : *named};
  }
  return {path + "." + extension(chosen), chosen};
}

Program3D::Program3D(DocumentEditor& edits, FormulaParser& surfaceParser, StatusLine& status,
                     LongWork& work, ProgramObservers& observers)
    : edits_(edits),
      surfaceParser_(surfaceParser),
      status_(status),
      work_(work),
      observers_(observers),
      palette_(StartupPalette()),
      navigator_(&scene_) {
  scene_.farPlane = 1000.0f;
  auto block = std::make_unique<G3dBlock>();
  block_ = block.get();
  scene_.blocks.push_back(std::move(block));
  // The figure is first shown as lines, whatever the appearance window shows.
  StorePolygonMode(scene_, 1, 1);
  TakeSensitivities();
  observers_.Add(this);
}

Program3D::~Program3D() {
  observers_.Remove(this);
}

Build3DContext Program3D::Context() {
  return {edits_.Doc(), params_, scene_,           *block_, surfaceParser_,
          palette_,     status_, work_.Progress(), View()};
}

namespace {

// What the surfaces of a 3D build are sampled with on the worker thread: copies of
// everything they read and a block of their own, handed to the scene when the work
// ends, so the view keeps painting the scene as it was meanwhile.
struct Build3DJob {
  Build3DJob(const Document& doc, const Params3D& validated, const FormulaParser& source,
             const Palette& colours)
      : document(doc), params(validated), palette(colours) {
    for (char letter = 'A'; letter <= 'Z'; ++letter)
      parser.VariableSlot(letter) = source.Variable(letter);
    parser.SeedRandom(source.RandomState());  // RAND continues its sequence
  }

  void Build(const WorkControl& control, WorkFeedback& feedback, bool resetBarAfterEach) {
    Build3DContext staging{document, params,   scene,    block, parser,
                           palette,  feedback, feedback, view,  &control};
    BuildGraphs3D(staging, indices, resetBarAfterEach);
  }

  Document document;
  Params3D params;
  Palette palette;
  FormulaParser parser;
  G3dScene scene;
  G3dBlock block;
  RecordingScene3DView view;
  std::vector<std::size_t> indices;
};

}  // namespace

void Program3D::BuildAll() {
  if (work_.RefuseWhileBusy()) return;
  Build3DContext context = Context();
  std::vector<std::size_t> indices = AllGraphs3D(edits_.Doc().Graphs3D.Count());
  if (!PrepareBuild3D(context, indices)) return;
  context.progress.Show();
  StartBuild(std::move(indices), false);
}

void Program3D::BuildSelected() {
  if (work_.RefuseWhileBusy()) return;
  const auto selection = edits_.Graphs3D().Selection();
  const std::size_t count = edits_.Doc().Graphs3D.Count();
  std::size_t index = 0;
  if (selection && *selection < count) {
    index = *selection;
  } else {
    if (count == 0) return;
    edits_.Select3D(0);  // none selected: the first graph is built and stays selected
  }
  Build3DContext context = Context();
  if (!PrepareBuild3D(context, std::span(&index, 1))) return;
  context.progress.SetCaption("Стан побудови : графік №" + std::to_string(index + 1));
  context.progress.Show();
  StartBuild({index}, true);
}

void Program3D::StartBuild(std::vector<std::size_t> indices, bool selectedOnly) {
  auto job = std::make_shared<Build3DJob>(edits_.Doc(), params_, surfaceParser_, palette_);
  job->indices = std::move(indices);
  work_.Start(
      [job, selectedOnly](WorkControl& control, WorkFeedback& feedback) {
        job->Build(control, feedback, !selectedOnly);
      },
      [this, job, selectedOnly](bool stopped) {
        surfaceParser_.SeedRandom(job->parser.RandomState());
        Build3DContext context = Context();
        CommitGraphs3D(context, job->block, selectedOnly);
        // Graphs finished before the stop stay; the interrupted one was dropped. A
        // build that a newer value replaces was not stopped by the user.
        if (stopped && !work_.Dropped()) status_.SetStatus(std::string(BuildStoppedText));
      });
}

void Program3D::Clear() {
  if (work_.RefuseWhileBusy()) return;
  Build3DContext context = Context();
  Clear3DSpace(context);
  // Only the objects still in the block are drawn, so no lists need compiling.
  PaintIfShown();
}

bool Program3D::OpenFile(const std::string& path) {
  return OpenFile(path, KindOfPath(path));
}

bool Program3D::OpenFile(const std::string& path, Space3DFileKind kind) {
  if (work_.RefuseWhileBusy()) return false;
  View().PaintScene();
  // Read into a block of its own: the scene on screen changes only when the whole
  // file has been read, and a stopped read changes nothing.
  auto staging = std::make_shared<G3dBlock>(StagingFor(*block_));
  auto palette = std::make_shared<Palette>(palette_);
  auto result = std::make_shared<int>(FileDone);
  const int maximum = ShowFileProgress();
  return work_.Start(
      [staging, palette, result, path, kind](WorkControl& control, WorkFeedback&) {
        *result = ReadSpaceFile(*staging, *palette, path, kind, &control);
      },
      [this, staging, result, path, maximum](bool) {
        CloseFileProgress(maximum);
        Build3DContext context = Context();
        CommitSpaceFile(context, *staging, *result, path);
        lastFileResult_ = *result;
        PaintIfShown();
      });
}

bool Program3D::SaveFile(const std::string& path) {
  return SaveFile(path, KindOfPath(path));
}

bool Program3D::SaveFile(const std::string& path, Space3DFileKind kind) {
  if (work_.RefuseWhileBusy()) return false;
  View().RepaintMainWindow();
  View().PaintScene();
  // The scene is only read while it is written, and nothing may change it meanwhile:
  // the commands that would are refused until the save has ended.
  auto result = std::make_shared<int>(FileDone);
  const int maximum = ShowFileProgress();
  return work_.Start(
      [this, result, path, kind](WorkControl& control, WorkFeedback&) {
        G3dFile file(block_, &palette_);
        file.SetWork(&control);
        *result = Write3DFile(file, path, kind);
      },
      [this, result, path, maximum](bool stopped) {
        CloseFileProgress(maximum);
        // A write cut short by the stop fails on its way; the old file stays either way.
        if (stopped && *result != FileDone) *result = FileStopped;
        lastFileResult_ = *result;
        status_.SetStatus(Write3DFileStatus(*result, path));
        View().PaintScene();
      });
}

int Program3D::ShowFileProgress() {
  // A file has no count of pieces the bar could follow: an empty range makes it a
  // busy bar. The window is shown for its Escape and close box, which stop the job.
  ProgressSink& progress = work_.Progress();
  const int maximum = progress.Maximum();
  progress.SetCaption(std::string(FileProgressCaption));
  progress.SetMaximum(0);
  progress.SetPosition(0);
  progress.Show();
  return maximum;
}

void Program3D::CloseFileProgress(int maximum) {
  ProgressSink& progress = work_.Progress();
  progress.Close();
  progress.SetMaximum(maximum);
}

void Program3D::SetDrawMode(int mode) {
  StorePolygonMode(scene_, mode, mode);
  PaintIfShown();
}

void Program3D::SetMotionType(int mode) {
  navigator_.SetMotionMode(mode);
}

void Program3D::DocumentChanged() {
  const AppearanceSettings& a = edits_.Doc().Appearance;
  SetDrawMode(a.DrawMode3D);
  SetMotionType(a.MotionType);
  TakeSensitivities();
}

void Program3D::AppearanceChanged() {
  TakeSensitivities();
}

void Program3D::TakeSensitivities() {
  const AppearanceSettings& a = edits_.Doc().Appearance;
  navigator_.SetSensitivities({a.SensitivityX, a.SensitivityY, a.SensitivityZ, a.SensitivityRX,
                               a.SensitivityRY, a.SensitivityRZ});
}

void Program3D::PaintIfShown() {
  if (shown_) View().PaintScene();
}

void Program3D::DrawingStarted(int parts) {
  ProgressSink& progress = work_.Progress();
  if (!drawing_) {
    drawing_ = true;
    textAfterDrawing_ = status_.Text();
    maximumBeforeDrawing_ = progress.Maximum();
  }
  status_.SetStatus(std::string(DrawingText));
  progress.SetCaption(std::string(DrawingCaption));
  progress.SetMaximum(parts);
  progress.SetPosition(0);
  progress.Show();
}

void Program3D::DrawingAdvanced(int done) {
  // A job started meanwhile owns the progress window.
  if (drawing_ && !work_.Busy()) work_.Progress().SetPosition(done);
}

void Program3D::DrawingEnded(bool stopped) {
  if (!drawing_) return;
  drawing_ = false;
  if (!work_.Busy()) {
    ProgressSink& progress = work_.Progress();
    progress.Close();
    progress.SetMaximum(maximumBeforeDrawing_);
  }
  // A job started meanwhile has its own text; only the drawing's own is replaced.
  if (status_.Text() == DrawingText) {
    status_.SetStatus(stopped ? std::string(BuildStoppedText) : textAfterDrawing_);
  }
}

}  // namespace lw
