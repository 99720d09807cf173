// Everything the 3D commands work on, owned in one place, for running them without
// a window: the command-line front end, the tests and the benchmarks.
#pragma once

#include <memory>

#include "document/Document.h"
#include "document/Feedback.h"
#include "document/Palette.h"
#include "formula/FormulaParser.h"
#include "scene3d/Build3DContext.h"

namespace lw {

struct HeadlessScene3D {
  HeadlessScene3D() : palette3D(StartupPalette()) {
    auto owned = std::make_unique<G3dBlock>();
    block = owned.get();
    scene.blocks.push_back(std::move(owned));
  }
  HeadlessScene3D(const HeadlessScene3D&) = delete;
  HeadlessScene3D& operator=(const HeadlessScene3D&) = delete;

  Build3DContext Context() {
    return {document, params, scene, *block, surfaceParser, palette3D, status, progress, view};
  }

  Document document;
  Params3D params;
  G3dScene scene;
  G3dBlock* block;  // the current block, owned by the scene
  FormulaParser surfaceParser;
  Palette palette3D;
  RecordingStatus status;
  SilentProgress progress;
  RecordingScene3DView view;
};

}  // namespace lw
