// Huge pages are advice only: the memory advised keeps what it holds, and
// a vector given room that way behaves as any other.
#include "analysis/huge_pages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace verbolt {

namespace {

TEST(HugePages, AdvisedMemoryKeepsWhatItHolds) {
  // Large enough to hold whole huge pages, wherever it starts.
  std::vector<std::uint32_t> filled(3 << 20);
  std::iota(filled.begin(), filled.end(), 0u);
  const auto* bytes = reinterpret_cast<const unsigned char*>(filled.data());
  const size_t size = filled.size() * sizeof(std::uint32_t);
  for (size_t skip : {size_t{0}, size_t{1}, size_t{4095}, size_t{3} << 20}) {
    preferHugePages(bytes + skip, size - skip);
  }
  preferHugePages(bytes, 0);
  preferHugePages(nullptr, 0);
  std::vector<std::uint32_t> expected(filled.size());
  std::iota(expected.begin(), expected.end(), 0u);
  EXPECT_EQ(filled, expected);
}

TEST(HugePages, ALargeReserveKeepsTheItemsAndGivesTheRoom) {
  std::vector<std::uint64_t> items = {7, 8, 9};
  reserveLarge(items, 1 << 22);
  EXPECT_GE(items.capacity(), size_t{1} << 22);
  EXPECT_EQ(items, (std::vector<std::uint64_t>{7, 8, 9}));
  const std::uint64_t* room = items.data();
  for (std::uint64_t i = 0; i < (1 << 22) - 3; ++i) items.push_back(i);
  EXPECT_EQ(items.data(), room);  // the room was enough: nothing moved
  EXPECT_EQ(items[3], 0u);
  EXPECT_EQ(items.back(), (1u << 22) - 4);
}

}  // namespace

}  // namespace verbolt
