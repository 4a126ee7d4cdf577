#include "analysis/repeated_start_list.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace verbolt {

namespace {

void append(RepeatedStartList& list, std::initializer_list<int> starts, int occurrence) {
  list.appended().insert(list.appended().end(), starts);
  list.occurrenceDone(occurrence);
}

TEST(RepeatedStartList, SharedListsComeBackInTheOrderOfTheirOccurrences) {
  RepeatedStartList a(RepeatedStarts::kKept, true, 100);
  RepeatedStartList b(RepeatedStarts::kKept, true, 100);
  append(a, {1, 10}, 10);
  append(b, {15, 20}, 20);
  append(b, {}, 22);  // an occurrence that appends nothing
  append(a, {25, 30, 10, 30}, 30);
  append(b, {15, 40}, 40);
  EXPECT_EQ(RepeatedStartList::merged(a, b),
            (std::vector<int>{1, 10, 15, 20, 25, 30, 10, 30, 15, 40}));
}

TEST(RepeatedStartList, CollapsedListsKeepEachStartOnceInAscendingOrder) {
  RepeatedStartList a(RepeatedStarts::kCollapsed, true, 100);
  RepeatedStartList b(RepeatedStarts::kCollapsed, true, 100);
  append(a, {64, 5, 99}, 64);
  append(a, {5, 0}, 70);
  append(b, {63, 5}, 80);
  EXPECT_TRUE(a.appended().empty());
  EXPECT_EQ(RepeatedStartList::merged(a, b), (std::vector<int>{0, 5, 63, 64, 99}));
  EXPECT_EQ(std::move(a).alone(), (std::vector<int>{0, 5, 64, 99}));
}

TEST(RepeatedStartList, AListAloneKeepsEveryStartInOrder) {
  RepeatedStartList list(RepeatedStarts::kKept, false, 100);
  append(list, {7, 3}, 7);
  append(list, {3, 7}, 9);
  EXPECT_EQ(std::move(list).alone(), (std::vector<int>{7, 3, 3, 7}));
}

TEST(RepeatedStartList, CountedListsHoldNothingAndCountEveryAppend) {
  for (RepeatedStarts repeats :
       {RepeatedStarts::kKept, RepeatedStarts::kCollapsed, RepeatedStarts::kCounted}) {
    RepeatedStartList a(repeats, true, 100);
    RepeatedStartList b(repeats, true, 100);
    append(a, {64, 5, 99}, 64);
    append(a, {5, 0}, 70);
    append(b, {63, 5}, 80);
    EXPECT_EQ(a.count(), 5u);
    EXPECT_EQ(b.count(), 2u);
    if (repeats == RepeatedStarts::kCounted) {
      EXPECT_TRUE(a.appended().empty());
      EXPECT_TRUE(RepeatedStartList::merged(a, b).empty());
    }
  }
}

}  // namespace

}  // namespace verbolt
