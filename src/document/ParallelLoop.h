// The parallel loops of the samplers: independent pieces of an index range run on
// the threads a WorkControl allows, each with a worker slot of its own so it can keep
// its own evaluation state. With one thread (or no control) the range runs as one
// piece on the calling thread, in order, exactly as a plain loop would.
#pragma once

#include <functional>

#include "document/WorkControl.h"

namespace lw {

// Slots a loop under this control may hand out: body's slot is below this.
int WorkerSlots(const WorkControl* control);

// Calls body(first, last, slot) on pieces [first, last) covering [0, count) with at
// most `threads` threads (slot < threads), each piece at most `grain` long when
// grain > 0 (about count / (32 * threads) otherwise). Pieces not yet started are
// skipped once a stop is requested; a started piece checks the flag itself. Returns
// when every started piece has returned.
void ForEachPiece(const WorkControl* control, int threads, int count, int grain,
                  const std::function<void(int first, int last, int slot)>& body);

// A stream of pieces in three stages: take(buffer) readies the next piece in buffer
// (one call at a time, in order; false when none is left), work(buffer, slot)
// processes it on any worker, and give(buffer) takes its results (one call at a
// time, in the pieces' order). At most `buffers` pieces are in flight, piece k in
// buffer k % buffers, so each stage may keep its data per buffer; piece k + buffers
// is taken only after piece k is given, so give may already lay out the buffer's next
// piece. Nothing more is taken once a stop is requested; pieces already taken are
// finished.
void StreamInOrder(const WorkControl* control, int threads, int buffers,
                   const std::function<bool(int buffer)>& take,
                   const std::function<void(int buffer, int slot)>& work,
                   const std::function<void(int buffer)>& give);

}  // namespace lw
