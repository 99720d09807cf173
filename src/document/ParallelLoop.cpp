#include "ParallelLoop.h"

#include <tbb/blocked_range.h>
#include <tbb/info.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>
#include <tbb/task_arena.h>
#include <tbb/task_group.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace lw {

int WorkControl::Threads() const {
  if (threads_ > 0) return threads_;
  return std::max(1, tbb::info::default_concurrency());
}

int WorkerSlots(const WorkControl* control) {
  return control == nullptr ? 1 : control->Threads();
}

void ForEachPiece(const WorkControl* control, int threads, int count, int grain,
                  const std::function<void(int first, int last, int slot)>& body) {
  if (count <= 0) return;
  if (control == nullptr || threads <= 1) {
    if (!Stopped(control)) body(0, count, 0);
    return;
  }
  if (grain <= 0) grain = std::max(1, count / (4 * threads));
#ifdef LW_THREAD_SANITIZER
  // The same pieces on plain threads, whose start and end the sanitizer follows.
  std::atomic<int> next{0};
  std::vector<std::thread> workers;
  for (int slot = 0; slot < threads; ++slot) {
    workers.emplace_back([&, slot] {
      for (;;) {
        const int first = next.fetch_add(grain);
        if (first >= count || control->StopRequested()) return;
        body(first, std::min(count, first + grain), slot);
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
#else
  const auto run = [&] {
    tbb::task_group_context group;
    tbb::parallel_for(
        tbb::blocked_range<int>(0, count, static_cast<std::size_t>(grain)),
        [&](const tbb::blocked_range<int>& piece) {
          if (control->StopRequested()) {
            group.cancel_group_execution();
            return;
          }
          // The thread's index in its arena is below the arena's size, which is at
          // most `threads`: no two threads share a slot.
          const int slot = tbb::this_task_arena::current_thread_index();
          body(piece.begin(), piece.end(), std::clamp(slot, 0, threads - 1));
        },
        tbb::simple_partitioner(), group);
  };
  const int cores = std::max(1, tbb::info::default_concurrency());
  if (threads >= cores) {
    // Every core: the calling thread's own arena, kept by the library between loops.
    // More threads than cores would only wait for each other.
    run();
  } else {
    // Fewer threads than cores (--threads N): an arena of exactly that many.
    tbb::task_arena arena(threads);
    arena.execute(run);
  }
#endif
}

}  // namespace lw
