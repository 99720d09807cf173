#include "scene3d/ChunkedList.h"

#include <gtest/gtest.h>

#include <cstddef>

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

}  // namespace
}  // namespace lw
