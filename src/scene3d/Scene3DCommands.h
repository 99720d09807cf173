// The commands of the 3D menu: build the selected graph, build all, clear the 3D
// space, and open or save a 3D file once its path is chosen.
#pragma once

#include <string>

#include "Build3DContext.h"

namespace lw {

// Names of the objects the builds create; they become DXF layer names.
inline constexpr const char* AxesObjectName = "Axes";
std::string GraphObjectName(std::size_t graphIndex);  // "Graph_1" for graph 0

// `selected` is the selected line of the 3D list, -1 for none; with none and a
// non-empty list the first graph is selected (and stays selected).
void BuildSelected3D(Build3DContext& context, int& selected);
// False when the parameters were refused (nothing was built).
bool BuildAll3D(Build3DContext& context);
void Clear3DSpace(Build3DContext& context);

enum class Space3DFileKind { T3d, Dxf };

// The kind the name's extension says (".t3d" in any case); DXF otherwise.
Space3DFileKind KindOfPath(const std::string& path);

// The status text for the outcome of reading a 3D file.
std::string Read3DFileStatus(int result, const std::string& path);

// Reads the file into the 3D space; on success computes normals, centres the
// figure, rebuilds the display lists and puts the camera at (0, 0, -20). The
// status line gets the outcome. Returns the G3dFile result code.
int Open3DFile(Build3DContext& context, const std::string& path, Space3DFileKind kind);
// Writes the 3D space as DXF; the status line gets the outcome.
int Save3DFile(Build3DContext& context, const std::string& path);

}  // namespace lw
