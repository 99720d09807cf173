// Everything a 3D command works on, handed down by reference. The desktop program
// binds the view to its OpenGL panel; the command-line front end and the tests
// bind it to a recorder.
#pragma once

#include "document/WorkControl.h"
#include "scene3d/G3dModel.h"

namespace lw {

struct Document;
struct Params3D;
struct Palette;
class FormulaParser;
class StatusSink;
class ProgressSink;

// What only the on-screen viewer can do.
class Scene3DView {
 public:
  virtual ~Scene3DView() = default;
  // Compiles the scene's objects again after their geometry changed.
  virtual void RebuildDisplayLists() = 0;
  // Draws one frame, when the 3D space is the one shown.
  virtual void PaintScene() = 0;
  virtual void RepaintMainWindow() = 0;
  // Stops drawing a figure that is still being prepared; what is ready stays shown.
  virtual void StopDrawing() {}
};

// Counts the calls; for the command-line front end and the tests.
class RecordingScene3DView : public Scene3DView {
 public:
  void RebuildDisplayLists() override { ++rebuilds; }
  void PaintScene() override { ++paints; }
  void RepaintMainWindow() override { ++mainRepaints; }
  int rebuilds = 0, paints = 0, mainRepaints = 0;
};

struct Build3DContext {
  const Document& document;  // parameters, appearance and the 3D graph list
  Params3D& params;
  G3dScene& scene;
  G3dBlock& block;  // the current block: the 3D space
  FormulaParser& surfaceParser;
  const Palette& palette3D;
  StatusSink& status;
  ProgressSink& progress;
  Scene3DView& view;
  // The threads the surface builder may use and the stop request; none builds serially.
  const WorkControl* work = nullptr;
};

}  // namespace lw
