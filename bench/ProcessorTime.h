// Wall and processor time of a piece of work. On a machine shared with other work the
// wall time also holds the time others had the cores; the processor time is only what
// this process (or thread) ran.
#pragma once

#include <chrono>
#include <ctime>
#include <functional>

struct Timing {
  double wall = 0.0;
  double processor = 0.0;
};

// Processor time so far: of every thread of the process, or of this thread alone.
inline double ProcessorSeconds(clockid_t clock = CLOCK_PROCESS_CPUTIME_ID) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

inline Timing Time(const std::function<void()>& run, clockid_t clock = CLOCK_PROCESS_CPUTIME_ID) {
  using Clock = std::chrono::steady_clock;
  const double processor = ProcessorSeconds(clock);
  const auto start = Clock::now();
  run();
  return {std::chrono::duration<double>(Clock::now() - start).count(),
          ProcessorSeconds(clock) - processor};
}
