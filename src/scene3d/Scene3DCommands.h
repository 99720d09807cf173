// The commands of the 3D menu: build the selected graph, build all, clear the 3D
// space, and open or save a 3D file once its path is chosen.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scene3d/Build3DContext.h"
#include "scene3d/MeshFormats.h"

namespace lw {

class G3dFile;

// Names of the objects the builds create; they become DXF layer names.
std::string GraphObjectName(std::size_t graphIndex);  // "Graph_1" for graph 0

// `selected` is the selected line of the 3D list, -1 for none; with none and a
// non-empty list the first graph is selected (and stays selected).
void BuildSelected3D(Build3DContext& context, int& selected);
// False when the parameters were refused (nothing was built).
bool BuildAll3D(Build3DContext& context);
void Clear3DSpace(Build3DContext& context);

// The stages of a build, so the surfaces can be sampled on another thread than the
// one that shows the scene.
// Validates the 3D fields and the grids of the graphs `indices`, and sizes the
// progress bar; false, with the message of the first fault, when they were refused:
// then nothing may change.
bool PrepareBuild3D(Build3DContext& context, std::span<const std::size_t> indices);
// 0, 1, ..., count - 1: every graph of the list.
std::vector<std::size_t> AllGraphs3D(std::size_t count);
// Builds the graphs of `indices` in order, each into a new object appended to
// `staging.block` (a block of its own, not the one on screen). A stop request of
// staging.work ends the loop and drops the unfinished object, so the staging block
// holds only finished graphs.
void BuildGraphs3D(Build3DContext& staging, const std::vector<std::size_t>& indices,
                   bool resetBarAfterEach);
// Into the 3D space: cleared first when the appearance asks for it, the axes object
// when it is empty, then the staged objects; then the axes, the camera, the progress
// window closed and the screen brought up to date.
void CommitGraphs3D(Build3DContext& context, G3dBlock& staged, bool resetBar);

// The 3D file formats. Binary and ASCII STL read alike (the file says which it is);
// glTF text, 3MF and the binary 3D format are read only.
enum class Space3DFileKind {
  T3d,
  Dxf,
  StlBinary,
  StlAscii,
  Obj,
  Ply,
  Glb,
  Gltf,
  ThreeMf,
  Off,
  Amf
};

// The kind the name's extension says, in any case (".stl" is binary STL); DXF for
// any other name.
Space3DFileKind KindOfPath(const std::string& path);
// The kind a known extension names (".dxf" too); nothing for any other name.
std::optional<Space3DFileKind> KindOfExtension(const std::string& path);
// The mesh format of a kind; nullopt for DXF and the binary 3D format.
std::optional<MeshFormat> MeshFormatOf(Space3DFileKind kind);
bool CanSave3D(Space3DFileKind kind);

// The kind a format name of the command line names: "dxf", "stl", "stl-ascii",
// "obj", "ply", "glb", "gltf", "3mf", "off", "amf", "t3d"; nullopt for any other.
std::optional<Space3DFileKind> KindNamed(std::string_view name);

// Reads the file as its kind says, without what the open command does after.
int Read3DFile(G3dFile& file, const std::string& path, Space3DFileKind kind);
// Writes the file in its kind's format; a kind that is only read fails as a file
// that cannot be written.
int Write3DFile(G3dFile& file, const std::string& path, Space3DFileKind kind);

// The status text for the outcome of reading a 3D file.
std::string Read3DFileStatus(int result, const std::string& path);
// The status text for the outcome of writing one.
std::string Write3DFileStatus(int result, const std::string& path);

// Reads the file into the 3D space; on success computes normals, centres the
// figure, rebuilds the display lists and puts the camera at (0, 0, -20). The
// status line gets the outcome. Returns the G3dFile result code; `reason` (when
// given) receives why a mesh file was refused (G3dFile::ReadReason).
int Open3DFile(Build3DContext& context, const std::string& path, Space3DFileKind kind,
               std::string* reason = nullptr);
// Writes the 3D space in the given format (DXF unless told); the status line gets
// the outcome. A kind that cannot be written fails as a file that cannot be. A stop
// request of context.work ends a DXF write and keeps the previous file. `writeError`
// (when given) receives the errno value behind a failed write (G3dFile::WriteError).
int Save3DFile(Build3DContext& context, const std::string& path,
               Space3DFileKind kind = Space3DFileKind::Dxf, int* writeError = nullptr);

// Open3DFile in two stages, so that the file can be read on another thread than the
// one that shows the scene. Reads into `staging` (which starts with the colour and
// transform of the block on screen); on success its normals are computed and the
// figure centred. Returns the G3dFile result code; FileStopped when work asked to stop.
int ReadSpaceFile(G3dBlock& staging, const Palette& palette3D, const std::string& path,
                  Space3DFileKind kind, const WorkControl* work, std::string* reason = nullptr);
// A block with the colour and transform of `block` and no objects, to read into.
G3dBlock StagingFor(const G3dBlock& block);
// A read that succeeded replaces the 3D space; any other leaves it as it was. Then
// the display lists, the camera and the status line as Open3DFile does.
void CommitSpaceFile(Build3DContext& context, G3dBlock& staged, int result,
                     const std::string& path);

}  // namespace lw
