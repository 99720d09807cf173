// The 2D build commands: prepare the view, clear or clean the picture, draw the axes
// and every graph, put the overlays back and present the result.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "plot2d/Plot2DContext.h"

namespace lw {

// The progress caption while graph number (index + 1) is being drawn.
std::string GraphProgressCaption(std::size_t index);

// Validates the 2D parameters (the first bad field's message goes to the status),
// then makes the view for the current plot-view size, sets the progress bar up and
// binds the 2D constants on both parsers. False when a field was bad.
bool PrepareView2D(Plot2DContext& ctx);

// Fills the whole picture with the background colour and presents it.
void ClearPicture(Plot2DContext& ctx);

// Enlarges the picture to what a plot view of the context's size shows. The overlays
// drawn by inversion are taken out before and put back after, so that erasing them
// later leaves nothing behind in the new area. True when the picture grew.
bool FitPictureToView(Plot2DContext& ctx);

// Shows the picture in the plot view, when there is one.
void PresentPicture(Plot2DContext& ctx);

// The three stages of a build, so the graphs can be drawn on another thread than the
// one that prepares and presents the picture.
// Before the graphs: prepare the view, show the progress window, clear the picture or
// take the overlays out, draw the axes unless they go on top. False when the
// parameters were refused and nothing may follow. clear clears the picture whatever
// the appearance says (a view moved by hand shows nothing of the old one).
bool BeginBuild2D(Plot2DContext& ctx, bool clear = false);
// Entries [first, last) in order, each with its progress caption; stops between (and,
// through the builders, inside) graphs once ctx.work asks to.
void DrawGraphs2D(Plot2DContext& ctx, std::size_t first, std::size_t last);
// The listed entries in the order given; entries past the end of the list are skipped.
void DrawGraphs2D(Plot2DContext& ctx, std::span<const std::size_t> entries);
// After the graphs: axes on top, progress window closed, overlays back, picture
// presented, status timer started.
void EndBuild2D(Plot2DContext& ctx);

// The entry "build selected" draws: false for an empty list; with no valid selection
// entry 0 is selected.
bool SelectEntryToBuild(std::size_t count, int& selected);

// Draws every entry of the 2D list in order.
void BuildAll2D(Plot2DContext& ctx);

// Draws the selected entry only; with nothing selected in a non-empty list entry 0 is
// selected and drawn; an empty list does nothing at all. selected < 0 means none.
void BuildSelected2D(Plot2DContext& ctx, int& selected);

}  // namespace lw
