#include "tools/ordered_work.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <stdexcept>
#include <string>

namespace {

TEST(RunInOrder, ResultsArriveInOrderWhateverThreadMadeThem) {
  std::vector<size_t> delivered;
  std::set<std::thread::id> workers;
  std::mutex lock;
  runInOrder<std::string>(
      3, 40, 4,
      [&](size_t i) {
        {
          std::lock_guard<std::mutex> hold(lock);
          workers.insert(std::this_thread::get_id());
        }
        // Early items take longest, so later ones finish first.
        std::this_thread::sleep_for(std::chrono::microseconds(40 - i) * 20);
        return std::to_string(i * i);
      },
      [&](size_t i, std::string&& result) {
        EXPECT_EQ(result, std::to_string(i * i));
        delivered.push_back(i);
      });
  ASSERT_EQ(delivered.size(), 37u);
  for (size_t k = 0; k < delivered.size(); ++k) EXPECT_EQ(delivered[k], k + 3);
  EXPECT_LE(workers.size(), 4u);
}

TEST(RunInOrder, OneThreadIsTheCallingThread) {
  const std::thread::id caller = std::this_thread::get_id();
  int delivered = 0;
  runInOrder<int>(
      0, 5, 1,
      [&](size_t i) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        return static_cast<int>(i);
      },
      [&](size_t, int&&) { ++delivered; });
  EXPECT_EQ(delivered, 5);
}

TEST(RunInOrder, AFailureIsThrownOnTheCallerAndNothingIsDelivered) {
  int delivered = 0;
  EXPECT_THROW(runInOrder<int>(
                   0, 20, 2,
                   [](size_t i) -> int {
                     if (i == 7) throw std::runtime_error("out of memory");
                     return 0;
                   },
                   [&](size_t, int&&) { ++delivered; }),
               std::runtime_error);
  EXPECT_EQ(delivered, 0);
}

}  // namespace
