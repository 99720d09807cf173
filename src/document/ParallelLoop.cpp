#include "document/ParallelLoop.h"

#include <tbb/blocked_range.h>
#include <tbb/info.h>
#include <tbb/parallel_for.h>
#include <tbb/parallel_pipeline.h>
#include <tbb/partitioner.h>
#include <tbb/task_arena.h>
#include <tbb/task_group.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace lw {

#ifndef LW_THREAD_SANITIZER
namespace {

// On every core, `run` goes to the calling thread's own arena, kept by the library
// between loops; with fewer threads (--threads N) to an arena of exactly that many.
// More threads than cores would only wait for each other.
template <typename Run>
void RunOnThreads(int threads, const Run& run) {
  if (threads >= std::max(1, tbb::info::default_concurrency())) {
    run();
  } else {
    tbb::task_arena arena(threads);
    arena.execute(run);
  }
}

// The running thread's slot: the arena numbers its threads below its size, so no two
// threads share one.
int CurrentSlot(int threads) {
  return std::clamp(tbb::this_task_arena::current_thread_index(), 0, threads - 1);
}

}  // namespace
#endif

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
  // Many small pieces: when one core runs slower than the other (as a shared virtual
  // machine's often do), the faster takes over more of them and neither waits long at the end.
  if (grain <= 0) grain = std::max(1, count / (32 * threads));
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
          body(piece.begin(), piece.end(), CurrentSlot(threads));
        },
        tbb::simple_partitioner(), group);
  };
  RunOnThreads(threads, run);
#endif
}

namespace {

// In the run the threads would take them, one piece at a time.
void StreamSerially(const WorkControl* control, int buffers,
                    const std::function<bool(int buffer)>& take,
                    const std::function<void(int buffer, int slot)>& work,
                    const std::function<void(int buffer)>& give) {
  for (int k = 0; !Stopped(control); k = (k + 1) % buffers) {
    if (!take(k)) return;
    work(k, 0);
    give(k);
  }
}

// Rounds of `buffers` pieces: taken on this thread, worked on by every thread, given
// back on this thread. The sanitizer follows these threads, not the library's.
[[maybe_unused]] void StreamInRounds(const WorkControl* control, int threads, int buffers,
                                     const std::function<bool(int buffer)>& take,
                                     const std::function<void(int buffer, int slot)>& work,
                                     const std::function<void(int buffer)>& give) {
  bool more = true;
  while (more && !Stopped(control)) {
    int taken = 0;
    while (taken < buffers && (more = take(taken))) ++taken;
    ForEachPiece(control, threads, taken, 1, [&](int first, int last, int slot) {
      for (int b = first; b < last; ++b) work(b, slot);
    });
    if (Stopped(control)) return;
    for (int b = 0; b < taken; ++b) give(b);
  }
}

}  // namespace

void StreamInOrder(const WorkControl* control, int threads, int buffers,
                   const std::function<bool(int buffer)>& take,
                   const std::function<void(int buffer, int slot)>& work,
                   const std::function<void(int buffer)>& give) {
  buffers = std::max(1, buffers);
  if (control == nullptr || threads <= 1) return StreamSerially(control, buffers, take, work, give);
#ifdef LW_THREAD_SANITIZER
  StreamInRounds(control, threads, buffers, take, work, give);
#else
  const auto run = [&] {
    // The last stage gives the pieces back in order, so when piece k is taken the
    // piece k - buffers has been given back: its buffer is free.
    int next = 0;
    tbb::task_group_context group;
    tbb::parallel_pipeline(
        static_cast<std::size_t>(buffers),
        tbb::make_filter<void, int>(tbb::filter_mode::serial_in_order,
                                    [&](tbb::flow_control& flow) {
                                      const int buffer = next;
                                      if (control->StopRequested() || !take(buffer)) {
                                        flow.stop();
                                        return 0;
                                      }
                                      next = (next + 1) % buffers;
                                      return buffer;
                                    }) &
            tbb::make_filter<int, int>(tbb::filter_mode::parallel,
                                       [&](int buffer) {
                                         work(buffer, CurrentSlot(threads));
                                         return buffer;
                                       }) &
            tbb::make_filter<int, void>(tbb::filter_mode::serial_in_order,
                                        [&](int buffer) { give(buffer); }),
        group);
  };
  RunOnThreads(threads, run);
#endif
}

}  // namespace lw
