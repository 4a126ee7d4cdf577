#include "recovery/recovery_slot.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_support/test_support.h"

namespace verbolt {

namespace {

using test_support::writeFile;

class RecoverySlots : public test_support::FolderTest {
 protected:
  std::string folder() const { return (m_dir / "state" / "recovery").string(); }

  // A copy left in `slot` by a window that ended without saving.
  static void leaveCopy(const RecoverySlot& slot, const std::string& text) {
    RecoveredText copy;
    copy.utf8 = text;
    writeFile(slot.SnapshotPath(), snapshotBytes(copy, 1));
  }
};

TEST(RecoveryFolder, FollowsTheStateHome) {
  EXPECT_EQ(recoveryFolder("/x/state", "/home/a"), "/x/state/verbolt/recovery");
  EXPECT_EQ(recoveryFolder("", "/home/a"), "/home/a/.local/state/verbolt/recovery");
  EXPECT_EQ(recoveryFolder("relative", "/home/a"), "/home/a/.local/state/verbolt/recovery");
  EXPECT_EQ(recoveryFolder(nullptr, nullptr), "");
}

TEST_F(RecoverySlots, AWindowsSlotIsItsOwnUntilItLetsGo) {
  auto first = RecoverySlot::Claim(folder(), "/books/one.txt", true);
  ASSERT_TRUE(first);
  struct stat status;
  ASSERT_EQ(stat(folder().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
  // A second window on the same file, and one on another file.
  auto second = RecoverySlot::Claim(folder(), "/books/one.txt", true);
  auto other = RecoverySlot::Claim(folder(), "/books/two.txt", true);
  ASSERT_TRUE(second && other);
  EXPECT_NE(first->SnapshotPath(), second->SnapshotPath());
  EXPECT_NE(first->SnapshotPath(), other->SnapshotPath());
  EXPECT_NE(first->SnapshotPath().find("one.txt"), std::string::npos);

  leaveCopy(*first, "first window's text");
  const std::string path = first->SnapshotPath();
  // While its window lives, its copy is taken by nobody else.
  auto third = RecoverySlot::Claim(folder(), "/books/one.txt", true);
  ASSERT_TRUE(third);
  EXPECT_FALSE(third->Read());
  third.reset();
  first.reset();
  auto next = RecoverySlot::Claim(folder(), "/books/one.txt", true);
  ASSERT_TRUE(next);
  EXPECT_EQ(next->SnapshotPath(), path);
  ASSERT_TRUE(next->Read());
  EXPECT_EQ(next->Read()->utf8, "first window's text");
}

TEST_F(RecoverySlots, ANewTextTakesAnEmptySlotAndLeavesCopiesAlone) {
  auto crashed = RecoverySlot::Claim(folder(), "", true);
  ASSERT_TRUE(crashed);
  leaveCopy(*crashed, "untitled text");
  crashed.reset();
  auto fresh = RecoverySlot::Claim(folder(), "", false);
  ASSERT_TRUE(fresh);
  EXPECT_FALSE(fresh->Read());
  auto recovering = RecoverySlot::Claim(folder(), "", true);
  ASSERT_TRUE(recovering);
  ASSERT_TRUE(recovering->Read());
  EXPECT_EQ(recovering->Read()->utf8, "untitled text");
  recovering->RemoveCopy();
  EXPECT_FALSE(recovering->Read());
}

TEST_F(RecoverySlots, LettingGoOfAnEmptySlotLeavesNothingBehind) {
  auto slot = RecoverySlot::Claim(folder(), "/books/one.txt", false);
  ASSERT_TRUE(slot);
  slot.reset();
  EXPECT_TRUE(std::filesystem::is_empty(folder()));
}

TEST_F(RecoverySlots, EverySlotTakenOrNoFolderGivesNone) {
  std::vector<std::unique_ptr<RecoverySlot>> windows;
  for (int i = 0; i < kSlotsPerDocument; ++i) {
    windows.push_back(RecoverySlot::Claim(folder(), "/a.txt", false));
    ASSERT_TRUE(windows.back());
  }
  EXPECT_FALSE(RecoverySlot::Claim(folder(), "/a.txt", false));
  writeFile(m_dir / "file", "x");
  EXPECT_FALSE(RecoverySlot::Claim((m_dir / "file" / "recovery").string(), "/a.txt", false));
  EXPECT_FALSE(RecoverySlot::Claim("", "/a.txt", false));
}

}  // namespace

}  // namespace verbolt
