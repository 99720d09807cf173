// Display-list compilation and drawing of the 3D model: the only part of the model
// that talks to OpenGL (1.1 calls only). Call with the view's context current.
#pragma once

#include <cstdint>

#include "G3dModel.h"

namespace lw {

// Records the object's triangles into display list `name`: one normal and one
// colour per triangle (those of corner 0).
void CompileObject(G3dObject& object, std::uint32_t name);
// Nothing when the object is hidden; else its transform and its list.
void DrawObject(const G3dObject& object);
void DrawBlock(const G3dBlock& block);

// Reserves one list name per object of every block and compiles them in block and
// object order. With no objects at all the previous lists stay.
void RebuildDisplayLists(G3dScene& scene);
void DeleteDisplayLists(G3dScene& scene);

}  // namespace lw
