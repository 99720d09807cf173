// The 3D space of the desktop program: the scene with its one block, the mouse
// navigator and the camera, and the 3D commands run against the program's document,
// parsers, palettes, status line and progress window. No widgets and no OpenGL: the
// on-screen viewer binds itself as the Scene3DView.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "Build3DContext.h"
#include "G3dModel.h"
#include "G3dNavigator.h"
#include "Program.h"
#include "Scene3DCommands.h"

namespace lw {

// The open and save dialogs of the 3D files: each type of their lists in Qt's filter
// form and the format it stands for. The type chosen picks the format; a type
// without one (all 3D files) leaves it to the name's extension.
inline constexpr std::string_view Open3DTitle = "Відкриття 3-D файлу";
inline constexpr std::string_view Save3DTitle = "Збереження 3-D файлу...";
inline constexpr std::string_view Save3DExtension = "dxf";

struct Space3DFileType {
  std::string_view filter;
  std::optional<Space3DFileKind> kind;
};

inline constexpr Space3DFileType Open3DTypes[] = {
    {"Tervan`s 3D (*.t3d) ", Space3DFileKind::T3d},
    {"AutoCad DXF файли (*.dxf)", Space3DFileKind::Dxf},
    {"STL (*.stl)", Space3DFileKind::StlBinary},
    {"Wavefront OBJ (*.obj)", Space3DFileKind::Obj},
    {"Stanford PLY (*.ply)", Space3DFileKind::Ply},
    {"glTF 2.0 (*.gltf)", Space3DFileKind::Gltf},
    {"glTF 2.0 двійковий (*.glb)", Space3DFileKind::Glb},
    {"3MF (*.3mf)", Space3DFileKind::ThreeMf},
    {"Усі тривимірні файли (*.t3d *.dxf *.stl *.obj *.ply *.gltf *.glb *.3mf)", std::nullopt},
};

inline constexpr Space3DFileType Save3DTypes[] = {
    {"AutoCad DXF файли (*.dxf)", Space3DFileKind::Dxf},
    {"STL двійковий (*.stl)", Space3DFileKind::StlBinary},
    {"STL текстовий (*.stl)", Space3DFileKind::StlAscii},
    {"Wavefront OBJ (*.obj)", Space3DFileKind::Obj},
    {"Stanford PLY двійковий (*.ply)", Space3DFileKind::Ply},
    {"glTF 2.0 двійковий (*.glb)", Space3DFileKind::Glb},
};

// The types joined into one Qt filter list.
std::string Open3DFilter();
std::string Save3DFilter();
// The format of the type chosen, by its filter text; nullopt for none or for a type
// that leaves it to the extension.
std::optional<Space3DFileKind> KindOfOpenType(std::string_view filter);
std::optional<Space3DFileKind> KindOfSaveType(std::string_view filter);

class Program3D : public ProgramObserver {
 public:
  explicit Program3D(Program& program);
  ~Program3D() override;
  Program3D(const Program3D&) = delete;
  Program3D& operator=(const Program3D&) = delete;

  G3dScene& Scene() { return scene_; }
  G3dBlock& Block() { return *block_; }
  G3dNavigator& Navigator() { return navigator_; }

  // The viewer that compiles and paints; null unbinds it (then nothing is drawn).
  void SetView(Scene3DView* view) { view_ = view; }
  Scene3DView& View() { return view_ ? *view_ : silentView_; }

  // The commands of the 3D menu.
  void BuildAll();
  void BuildSelected();
  void Clear();
  // Read the file, or write the space, in the given format or, without one, the
  // format its extension names (DXF for any other). Return the file result code
  // (0 done).
  int OpenFile(const std::string& path, std::optional<Space3DFileKind> kind = std::nullopt);
  int SaveFile(const std::string& path, std::optional<Space3DFileKind> kind = std::nullopt);

  // The appearance window's "Як малювати :" and "Тип руху :" handlers.
  void SetDrawMode(int mode);
  void SetMotionType(int mode);

  // ProgramObserver: a loaded document runs both handlers; any appearance change
  // brings the mouse sensitivities up to date.
  void DocumentChanged() override;
  void AppearanceChanged() override;

 private:
  Build3DContext Context();
  void TakeSensitivities();
  void PaintIfShown();

  Program& program_;
  G3dScene scene_;
  G3dBlock* block_ = nullptr;  // the current block, owned by the scene
  G3dNavigator navigator_;
  Scene3DView* view_ = nullptr;
  RecordingScene3DView silentView_;
};

}  // namespace lw
