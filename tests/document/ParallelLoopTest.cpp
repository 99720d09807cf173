// The parallel loop covers its range exactly once in pieces no longer than asked, on
// no more slots than allowed, and starts nothing once a stop is requested; formulas
// whose samples depend on each other are kept to one thread.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "document/ParallelLoop.h"
#include "document/WorkerParsers.h"

namespace lw {
namespace {

struct LoopCase {
  const char* name;
  int threads;  // 0: no control at all
  int count;
  int grain;
};

class ParallelLoopTest : public ::testing::TestWithParam<LoopCase> {};

TEST_P(ParallelLoopTest, EveryIndexOnceOnAnAllowedSlot) {
  const LoopCase& c = GetParam();
  WorkControl control(c.threads);
  const WorkControl* work = c.threads > 0 ? &control : nullptr;
  const int threads = WorkerSlots(work);
  std::vector<std::atomic<int>> seen(static_cast<std::size_t>(c.count));
  std::atomic<bool> slotOutside{false}, pieceTooLong{false};
  ForEachPiece(work, threads, c.count, c.grain, [&](int first, int last, int slot) {
    if (slot < 0 || slot >= threads) slotOutside = true;
    if (c.grain > 0 && threads > 1 && last - first > c.grain) pieceTooLong = true;
    for (int i = first; i < last; ++i) seen[static_cast<std::size_t>(i)].fetch_add(1);
  });
  for (int i = 0; i < c.count; ++i) EXPECT_EQ(seen[static_cast<std::size_t>(i)].load(), 1) << i;
  EXPECT_FALSE(slotOutside.load());
  EXPECT_FALSE(pieceTooLong.load());
}

TEST_P(ParallelLoopTest, NothingStartsAfterAStop) {
  const LoopCase& c = GetParam();
  WorkControl control(c.threads);
  control.RequestStop();
  std::atomic<int> pieces{0};
  ForEachPiece(&control, WorkerSlots(&control), c.count, c.grain,
               [&](int, int, int) { pieces.fetch_add(1); });
  EXPECT_EQ(pieces.load(), 0);
}

const LoopCase kLoopCases[] = {
    {"NoControl", 0, 100, 0},     {"OneThread", 1, 1000, 7},
    {"TwoThreads", 2, 1601, 0},   {"TwoThreadsGrain16", 2, 1601, 16},
    {"EightThreads", 8, 1000, 3}, {"MoreThreadsThanIndexes", 8, 3, 0},
    {"EmptyRange", 4, 0, 0},      {"OneIndex", 4, 1, 1},
};

INSTANTIATE_TEST_SUITE_P(Loops, ParallelLoopTest, ::testing::ValuesIn(kLoopCases),
                         lw::test::CaseName());

// A stream of `count` pieces: each taken in order into its buffer, worked on once
// with the value taken still in the buffer, and given back in order.
class StreamInOrderTest : public ::testing::TestWithParam<LoopCase> {};

TEST_P(StreamInOrderTest, EveryPieceWorkedOnceAndGivenBackInOrder) {
  const LoopCase& c = GetParam();
  WorkControl control(c.threads);
  const WorkControl* work = c.threads > 0 ? &control : nullptr;
  const int threads = WorkerSlots(work);
  const int buffers = c.grain;
  std::vector<int> taken(static_cast<std::size_t>(buffers), -1);
  std::vector<int> worked(static_cast<std::size_t>(buffers), -1);
  std::vector<int> given;
  int next = 0;
  std::atomic<bool> slotOutside{false};
  StreamInOrder(
      work, threads, buffers,
      [&](int buffer) {
        if (next == c.count) return false;
        taken[static_cast<std::size_t>(buffer)] = next++;
        return true;
      },
      [&](int buffer, int slot) {
        if (slot < 0 || slot >= threads) slotOutside = true;
        const auto at = static_cast<std::size_t>(buffer);
        worked[at] = taken[at] * 2;
      },
      [&](int buffer) { given.push_back(worked[static_cast<std::size_t>(buffer)]); });
  ASSERT_EQ(given.size(), static_cast<std::size_t>(c.count));
  for (int i = 0; i < c.count; ++i) EXPECT_EQ(given[static_cast<std::size_t>(i)], 2 * i) << i;
  EXPECT_FALSE(slotOutside.load());
}

TEST_P(StreamInOrderTest, NothingIsTakenAfterAStop) {
  const LoopCase& c = GetParam();
  WorkControl control(c.threads);
  control.RequestStop();
  int taken = 0;
  StreamInOrder(
      &control, WorkerSlots(&control), c.grain, [&](int) { return ++taken > 0; }, [](int, int) {},
      [](int) {});
  EXPECT_EQ(taken, 0);
}

// Here the grain is the number of buffers.
const LoopCase kStreamCases[] = {
    {"NoControl", 0, 100, 4},
    {"OneThread", 1, 37, 1},
    {"TwoThreads", 2, 1000, 8},
    {"OneBufferTwoThreads", 2, 50, 1},
    {"EightThreadsFewPieces", 8, 3, 32},
    {"NoPieces", 2, 0, 8},
};

INSTANTIATE_TEST_SUITE_P(Streams, StreamInOrderTest, ::testing::ValuesIn(kStreamCases),
                         lw::test::CaseName());

struct OrderCase {
  const char* name;
  const char* formula;
  bool dependsOnOrder;
};

class SampleOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(SampleOrderTest, DetectedFromTheCompiledFormula) {
  FormulaParser parser;
  std::string text = GetParam().formula;
  FormulaParser::Normalize(text);
  parser.Compile(text);
  EXPECT_EQ(DependsOnSampleOrder(parser), GetParam().dependsOnOrder);
  WorkControl control(4);
  EXPECT_EQ(ThreadsFor(&control, parser), GetParam().dependsOnOrder ? 1 : 4);
}

const OrderCase kOrderCases[] = {
    {"PlainFormula", "sin(x)*y+2.5", false}, {"Comparison", "x-y", false},
    {"Random", "rand(10)+x", true},          {"RandomInsideAFunction", "sin(rand(x))", true},
    {"Assignment", "a=a+x", true},           {"Empty", "", false},
};

INSTANTIATE_TEST_SUITE_P(Formulas, SampleOrderTest, ::testing::ValuesIn(kOrderCases),
                         lw::test::CaseName());

// Each copy starts from the source's variables and evaluates the same formula.
TEST(WorkerParsersTest, CopiesCarryTheVariablesAndTheFormula) {
  FormulaParser source;
  source.SetVariable("K", 3.5);
  std::string text = "K*X";
  source.Compile(text);
  WorkerParsers<FormulaParser> engines(source, text, 3);
  ASSERT_EQ(engines.Slots(), 3);
  EXPECT_EQ(&engines[0], &source);
  for (int s = 0; s < 3; ++s) {
    engines[s].VariableSlot('X') = 2;
    EXPECT_EQ(engines[s].EvaluateCompiled(), 7.0) << s;
  }
}

}  // namespace
}  // namespace lw
