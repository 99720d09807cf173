#include "scene3d/ChunkedList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <span>
#include <vector>

#include "CaseNames.h"

namespace lw {
namespace {

// Counts its own destructions, so a test sees every element destroyed exactly once.
struct Counted {
  std::size_t value;
  std::size_t* destroyed;
  ~Counted() { ++*destroyed; }
};

// Enough elements for the doubling chunks and two of the 2 MB chunks after them,
// where indices, addresses and clearing take another path.
TEST(ChunkedList, ElementsInTheLargeChunksStayPutAndAreFoundAndDestroyed) {
  constexpr std::size_t perLargeChunk = (2u << 20) / sizeof(Counted);
  constexpr std::size_t count = 3 * perLargeChunk + 5;
  std::size_t destroyed = 0;
  ChunkedList<Counted> list;
  list.emplace_back(Counted{0, &destroyed});
  const Counted* first = &list[0];
  for (std::size_t i = 1; i < count; ++i) list.emplace_back(Counted{i, &destroyed});
  destroyed = 0;  // the temporaries above
  ASSERT_EQ(list.size(), count);
  EXPECT_EQ(&list[0], first);
  for (const std::size_t i : {std::size_t{0}, perLargeChunk - 64, perLargeChunk, 2 * perLargeChunk,
                              2 * perLargeChunk + 1, count - 1}) {
    EXPECT_EQ(list[i].value, i);
    EXPECT_EQ(list.IndexOf(&list[i]), i);
  }
  const Counted outside{0, &destroyed};
  EXPECT_EQ(list.IndexOf(&outside), count);
  std::size_t next = 0;
  bool inOrder = true;
  list.ForEach([&](const Counted& c) { inOrder = inOrder && c.value == next++; });
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(next, count);
  list.Clear();
  EXPECT_EQ(destroyed, count);
  EXPECT_TRUE(list.empty());
  list.emplace_back(Counted{7, &destroyed});
  EXPECT_EQ(list.back().value, 7u);
  list.Clear();
}

// Elements counted in uninitialised and then constructed run by run, as parallel
// builders do, starting after `before` appended elements.
struct GrowthCase {
  const char* name;
  std::size_t before;
  std::size_t grown;
};

using Element = std::uint64_t;
constexpr std::size_t kLarge = (2u << 20) / sizeof(Element);
// Where chunks end: doubling from 64 while below kLarge, then every kLarge.
std::vector<std::size_t> ChunkEnds(std::size_t upTo) {
  std::vector<std::size_t> ends;
  std::size_t end = 0;
  for (std::size_t chunk = 64; end < upTo; chunk = chunk * 2 < kLarge ? chunk * 2 : kLarge) {
    end += chunk;
    ends.push_back(end);
  }
  return ends;
}
const std::size_t kGrowingTotal = kLarge - 64;  // 64 + 128 + ... + kLarge / 2

class ChunkedListGrowth : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(ChunkedListGrowth, RunsEndAtChunkEndsAndHoldWhatWasPlaced) {
  const GrowthCase& c = GetParam();
  ChunkedList<Element> list;
  for (std::size_t i = 0; i < c.before; ++i) list.emplace_back(i);
  list.GrowUninitialised(c.grown);
  const std::size_t size = c.before + c.grown;
  ASSERT_EQ(list.size(), size);
  std::vector<std::size_t> expectedEnds;
  for (const std::size_t end : ChunkEnds(size)) {
    if (end > c.before && end < size) expectedEnds.push_back(end);
  }
  if (c.grown > 0) expectedEnds.push_back(size);
  std::vector<std::size_t> runEnds;
  for (std::size_t i = c.before; i < size;) {
    const std::span<Element> run = list.RunFrom(i);
    ASSERT_FALSE(run.empty()) << "at " << i;
    for (Element& e : run) ::new (&e) Element(i++);
    runEnds.push_back(i);
  }
  EXPECT_EQ(runEnds, expectedEnds);
  std::size_t next = 0;
  bool inOrder = true;
  list.ForEach([&](Element e) { inOrder = inOrder && e == next++; });
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(next, size);
  list.emplace_back(size);
  EXPECT_EQ(list[size], size);
  EXPECT_EQ(list.IndexOf(&list[size]), size);
}

const GrowthCase kGrowthCases[] = {
    {"NothingIntoEmpty", 0, 0},
    {"OneIntoEmpty", 0, 1},
    {"ExactlyTheFirstChunk", 0, 64},
    {"JustPastTheFirstChunk", 0, 65},
    {"AcrossTheFirstChunkEnd", 63, 2},
    {"FromAChunkEndToTheNext", 64, 128},
    {"AfterAppendsIntoTheLargeChunks", 100, kGrowingTotal},
    {"FromTheLastGrowingChunkToALargeChunkEnd", kGrowingTotal - 1, kLarge + 1},
    {"OverSeveralLargeChunks", 0, kGrowingTotal + 2 * kLarge + 3},
};

INSTANTIATE_TEST_SUITE_P(Cases, ChunkedListGrowth, ::testing::ValuesIn(kGrowthCases),
                         test::CaseName());

}  // namespace
}  // namespace lw
