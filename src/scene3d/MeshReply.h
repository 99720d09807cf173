// What the mesh reader process hands back: the figure it read as plain numbers, in a
// form our side checks in full before anything of it is used. Objects in order, each
// its name, its points and its triangles (three point numbers and three corner
// colours each), all little-endian:
//   "LWMR" u32 objects; per object: u32 name length, name, u32 points,
//   points x (f32 x, y, z), u32 triangles, triangles x 3 x (u32 point, u8 r, g, b)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scene3d/G3dModel.h"

namespace lw {

std::string EncodeMeshReply(const G3dBlock& figure);

// Replaces the objects of `block` with the figure, only when the whole reply is sound:
// counts within the bytes, names within the length the formats allow, every point
// number within its object, every coordinate finite, at least one triangle. False,
// with the reason, otherwise (block untouched).
bool DecodeMeshReply(std::string_view bytes, G3dBlock& block, std::string& reason);

}  // namespace lw
