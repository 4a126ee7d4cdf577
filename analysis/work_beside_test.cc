// Work run beside the caller: its result and its failure come back at
// join, and a caller that fails first still waits for it.
#include "analysis/work_beside.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace verbolt {

namespace {

TEST(WorkBeside, JoinGivesTheWorksResultOrThrowsItsFailure) {
  std::vector<int> made;
  WorkBeside making([&] { made.assign(1000, 7); });
  making.join();
  EXPECT_EQ(made, std::vector<int>(1000, 7));

  WorkBeside failing([] { throw std::length_error("too long"); });
  EXPECT_THROW(failing.join(), std::length_error);
}

TEST(WorkBeside, ACallerThatFailsFirstWaitsForTheWorkAndTellsItsOwnFailure) {
  std::atomic<bool> released = false;
  std::atomic<bool> done = false;
  try {
    WorkBeside working([&] {
      while (!released) std::this_thread::yield();
      done = true;
      throw std::runtime_error("the work's failure");
    });
    released = true;
    throw std::invalid_argument("the caller's failure");
  } catch (const std::invalid_argument&) {
    EXPECT_TRUE(done);
  }
}

}  // namespace

}  // namespace verbolt
