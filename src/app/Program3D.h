// The 3D space of the desktop program: the scene with its one block, the mouse
// navigator and the camera, the validated 3D parameters and the 3D palette, and the
// 3D commands run against the document, the surface parser, the status line and long
// work, each handed over at construction. No widgets and no OpenGL: the on-screen
// viewer binds itself as the Scene3DView.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/DocumentEditor.h"
#include "app/LongWork.h"
#include "app/ProgramObserver.h"
#include "app/StatusLine.h"
#include "document/Palette.h"
#include "scene3d/Build3DContext.h"
#include "scene3d/G3dModel.h"
#include "scene3d/G3dNavigator.h"
#include "scene3d/Scene3DCommands.h"

namespace lw {

// The open and save dialogs of the 3D files, in Qt's filter form.
inline constexpr std::string_view Open3DTitle = "Відкриття 3-D файлу";
// One line of the open dialog's list of file types and the reader it stands for.
// The user's choice of line picks the reader, whatever the file's name says.
struct Open3DFormat {
  std::string_view filter;
  Space3DFileKind kind;
};
inline constexpr std::array<Open3DFormat, 10> Open3DFormats{{
    {"Tervan`s 3D (*.t3d) ", Space3DFileKind::T3d},
    {"AutoCad DXF файли (*.dxf)", Space3DFileKind::Dxf},
    {"STL (*.stl)", Space3DFileKind::StlBinary},
    {"Wavefront OBJ (*.obj)", Space3DFileKind::Obj},
    {"Stanford PLY (*.ply)", Space3DFileKind::Ply},
    {"glTF 2.0 (*.gltf)", Space3DFileKind::Gltf},
    {"glTF 2.0 двійковий (*.glb)", Space3DFileKind::Glb},
    {"3MF (*.3mf)", Space3DFileKind::ThreeMf},
    {"OFF (*.off)", Space3DFileKind::Off},
    {"AMF (*.amf)", Space3DFileKind::Amf},
}};
// The last line of the open dialog: every format at once, each file read as its
// extension says.
inline constexpr std::string_view Open3DAnyFilter =
    "Усі тривимірні файли (*.t3d *.dxf *.stl *.obj *.ply *.gltf *.glb *.3mf *.off *.amf)";
// The lines of Open3DFormats and Open3DAnyFilter as one filter.
std::string Open3DFilter();
// The reader of the file: the one its content shows (KindOfFile); else the chosen
// filter line's, or by the path's extension when the line is none of Open3DFormats
// (no choice made).
Space3DFileKind KindOfChoice(std::string_view filter, const std::string& path);
inline constexpr std::string_view Save3DTitle = "Збереження 3-D файлу...";
// The save dialog's lines and the writer each stands for.
inline constexpr std::array<Open3DFormat, 6> Save3DFormats{{
    {"AutoCad DXF файли (*.dxf)", Space3DFileKind::Dxf},
    {"STL двійковий (*.stl)", Space3DFileKind::StlBinary},
    {"STL текстовий (*.stl)", Space3DFileKind::StlAscii},
    {"Wavefront OBJ (*.obj)", Space3DFileKind::Obj},
    {"Stanford PLY двійковий (*.ply)", Space3DFileKind::Ply},
    {"glTF 2.0 двійковий (*.glb)", Space3DFileKind::Glb},
}};
std::string Save3DFilter();
// The file a save writes and its writer: a name with the extension of a format that
// is written keeps it and is written in that format, whatever line was chosen; any
// other name gets the extension of the chosen line's format (of DXF when none was).
struct SaveChoice {
  std::string path;
  Space3DFileKind kind;
};
SaveChoice SaveChoiceOf(std::string_view filter, const std::string& path);

// The progress window's caption while a 3D file is read or written: its own title.
inline constexpr std::string_view FileProgressCaption = "Стан побудови :";
// The progress window's caption and the status text while the view prepares a large
// figure for drawing after a build or a read.
inline constexpr std::string_view DrawingCaption = "Стан побудови : малювання";
inline constexpr std::string_view DrawingText = "Малювання...";

class Program3D : public ProgramObserver {
 public:
  // edits: the document and the 3D graph list's selection; status and work: where
  // the commands report and how they run beside the interface; observers: where a
  // replaced document and a changed appearance are heard of.
  Program3D(DocumentEditor& edits, FormulaParser& surfaceParser, StatusLine& status, LongWork& work,
            ProgramObservers& observers);
  ~Program3D() override;
  Program3D(const Program3D&) = delete;
  Program3D& operator=(const Program3D&) = delete;

  G3dScene& Scene() { return scene_; }
  G3dBlock& Block() { return *block_; }
  G3dNavigator& Navigator() { return navigator_; }
  // The 3D parameters as the last build validated them.
  const Params3D& Validated() const { return params_; }
  const Palette& Pal() const { return palette_; }
  // The 3D space takes a copy of the palette (the palette window's "copy to 3D").
  void SetPalette(const Palette& palette) { palette_ = palette; }
  // Whether the 3D space is the one shown: only then do the commands paint.
  void SetShown(bool shown) { shown_ = shown; }

  // The viewer that compiles and paints; null unbinds it (then nothing is drawn).
  void SetView(Scene3DView* view) { view_ = view; }
  Scene3DView& View() { return view_ ? *view_ : silentView_; }

  // The commands of the 3D menu.
  void BuildAll();
  void BuildSelected();
  void Clear();
  // Read the file with the reader of kind (by default the kind its extension names),
  // or write the space in the format its extension names (DXF for any other) or in
  // the given one, beside the interface; false when other work runs. LastFileResult
  // then gives the file result code (0 done) once the work has ended. The progress
  // window shows while the file job runs; its stop request ends the job (a stopped
  // read leaves the space, a stopped write the old file, as they were).
  bool OpenFile(const std::string& path);
  bool OpenFile(const std::string& path, Space3DFileKind kind);
  bool SaveFile(const std::string& path);
  bool SaveFile(const std::string& path, Space3DFileKind kind);
  int LastFileResult() const { return lastFileResult_; }

  // The appearance window's "Як малювати :" and "Тип руху :" handlers.
  void SetDrawMode(int mode);
  void SetMotionType(int mode);

  // ProgramObserver: a loaded document runs both handlers; any appearance change
  // brings the mouse sensitivities up to date.
  void DocumentChanged() override;
  void AppearanceChanged() override;

  // The view prepares a figure of `parts` pieces for drawing, a piece at a time
  // between events: the progress window shows it, and the command's closing text
  // waits until the whole figure is drawn (DrawingEnded). StopDrawing asks the view to
  // stop; it then ends with the build's stop text.
  void DrawingStarted(int parts);
  void DrawingAdvanced(int done);
  void DrawingEnded(bool stopped);
  bool Drawing() const { return drawing_; }
  void StopDrawing() { View().StopDrawing(); }

 private:
  Build3DContext Context();
  void StartBuild(std::vector<std::size_t> indices, bool selectedOnly);
  void TakeSensitivities();
  void PaintIfShown();
  // Shows the progress window for a file job; returns the bar's maximum to restore.
  int ShowFileProgress();
  void CloseFileProgress(int maximum);

  DocumentEditor& edits_;
  FormulaParser& surfaceParser_;
  StatusLine& status_;
  LongWork& work_;
  ProgramObservers& observers_;
  Params3D params_;
  Palette palette_;
  bool shown_ = false;
  G3dScene scene_;
  G3dBlock* block_ = nullptr;  // the current block, owned by the scene
  G3dNavigator navigator_;
  Scene3DView* view_ = nullptr;
  RecordingScene3DView silentView_;
  int lastFileResult_ = 0;
  // While the view draws: the text to show when it has finished, and the bar's
  // maximum to restore.
  bool drawing_ = false;
  std::string textAfterDrawing_;
  int maximumBeforeDrawing_ = 0;
};

}  // namespace lw
