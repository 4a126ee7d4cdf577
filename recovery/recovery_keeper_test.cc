#include "recovery/recovery_keeper.h"

#include <gtest/gtest.h>

#include "test_support/test_support.h"

namespace verbolt {

namespace {

using namespace std::chrono_literals;
using test_support::readFile;

// A window's text, changed as the editor would change it, with the keeper
// told of every edit.
class Window {
 public:
  Window(const std::string& folder, RecoveryLimits limits = {}) : m_keeper(folder, limits) {}

  RecoveryKeeper& keeper() { return m_keeper; }
  std::string& text() { return m_text; }
  int textReads() const { return m_textReads; }

  void edit(EditorChange change) {
    ASSERT_TRUE(applyChange(m_text, change));
    m_keeper.Record(change);
  }
  void type(const std::string& letters) { edit({characterCount(m_text), 0, letters}); }
  void pause(RecoveryKeeper::Clock::time_point when) {
    m_keeper.Pause(source(), characterCount(m_text), when);
  }
  void writeNow() { m_keeper.WriteNow(source(), characterCount(m_text)); }

 private:
  RecoveryKeeper::TextSource source() {
    return [this] {
      ++m_textReads;
      return m_text;
    };
  }

  RecoveryKeeper m_keeper;
  std::string m_text;
  int m_textReads = 0;
};

class Keeping : public test_support::FolderTest {
 protected:
  std::string folder() const { return (m_dir / "recovery").string(); }

  // What the next start on `document` finds.
  std::optional<RecoveredText> nextStart(const std::string& document) {
    RecoveryKeeper keeper(folder());
    return keeper.Begin(document, true);
  }

  const RecoveryKeeper::Clock::time_point m_start = RecoveryKeeper::Clock::now();
};

TEST_F(Keeping, AFullCopyFirstThenOnlyTheEdits) {
  Window window(folder());
  window.keeper().Begin("/books/one.txt", true);
  RecoveredText header;
  header.documentPath = "/books/one.txt";
  header.format = {TextEncoding::kCp1252, LineEnds::kCrLf};
  window.keeper().Describe(header);
  window.text() = "Il était une fois";
  window.pause(m_start);
  EXPECT_EQ(window.textReads(), 0) << "nothing changed, nothing written";

  window.type(" un roi");
  window.pause(m_start + 1s);
  window.keeper().WriteNow([] { return std::string("never asked"); }, 0);
  const std::string snapshot = readFile(window.keeper().Slot()->SnapshotPath());
  EXPECT_EQ(window.textReads(), 1);
  for (int second = 0; second < 3; ++second) {
    window.type(" qui");
    window.pause(m_start + 2s + second * 1s);
  }
  window.edit({0, 2, "Elle"});
  window.writeNow();
  EXPECT_EQ(window.textReads(), 1) << "a small journal never makes a full copy";
  EXPECT_EQ(readFile(window.keeper().Slot()->SnapshotPath()), snapshot);
  window.keeper().Close(true);

  const std::optional<RecoveredText> found = nextStart("/books/one.txt");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->utf8, "Elle était une fois un roi qui qui qui");
  EXPECT_EQ(found->caret, characterCount(found->utf8));
  EXPECT_EQ(found->format, header.format);
  EXPECT_EQ(found->documentPath, "/books/one.txt");
  EXPECT_FALSE(nextStart("/books/two.txt"));
}

TEST_F(Keeping, AGrownJournalGivesWayToAFullCopyAtMostOnceAMinute) {
  RecoveryLimits limits;
  limits.journalEdits = 3;
  limits.journalMostEdits = 10;
  Window window(folder(), limits);
  window.keeper().Begin("", true);
  window.type("a");
  window.pause(m_start);
  for (int i = 0; i < 5; ++i) {
    window.edit({0, 0, "b"});
    window.pause(m_start + 10s);
  }
  EXPECT_EQ(window.textReads(), 1) << "within the minute";
  window.edit({0, 0, "c"});
  window.pause(m_start + 61s);
  EXPECT_EQ(window.textReads(), 2);
  // Far too many edits to replay: a full copy whatever the time.
  for (int i = 0; i < 10; ++i) window.edit({0, 0, "d"});
  window.pause(m_start + 62s);
  EXPECT_EQ(window.textReads(), 3);
  window.keeper().Close(true);
  ASSERT_TRUE(nextStart(""));
  EXPECT_EQ(nextStart("")->utf8, window.text());
}

TEST_F(Keeping, TheCopyGoesWithASaveOrACleanCloseAndStaysOtherwise) {
  {
    Window window(folder());
    window.keeper().Begin("/a.txt", true);
    window.type("saved");
    window.writeNow();
    window.keeper().Forget();
    window.keeper().Close(false);
  }
  EXPECT_FALSE(nextStart("/a.txt"));
  EXPECT_TRUE(std::filesystem::is_empty(folder()));
  {
    Window window(folder());
    window.keeper().Begin("/a.txt", true);
    window.type("unsaved");
    window.writeNow();
    window.keeper().Close(true);
  }
  // Brought back, then let go by the writer, who goes back to the file.
  {
    Window window(folder());
    std::optional<RecoveredText> found = window.keeper().Begin("/a.txt", true);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->utf8, "unsaved");
    window.keeper().SetAside();
    window.keeper().Close(false);
  }
  // The next start can still bring it back, until the text is saved.
  {
    Window window(folder());
    ASSERT_TRUE(window.keeper().Begin("/a.txt", true));
    window.keeper().Forget();
    window.keeper().Close(false);
  }
  EXPECT_FALSE(nextStart("/a.txt"));
}

TEST_F(Keeping, OpeningAnotherFileLetsTheOldCopyGo) {
  Window window(folder());
  window.keeper().Begin("", true);
  window.type("draft");
  window.writeNow();
  window.keeper().Begin("/b.txt", true);
  window.type("b");
  window.writeNow();
  window.keeper().Close(true);
  EXPECT_FALSE(nextStart(""));
  ASSERT_TRUE(nextStart("/b.txt"));
}

TEST_F(Keeping, AFolderThatCannotBeUsedIsToldAndNothingElseFails) {
  test_support::writeFile(m_dir / "file", "not a folder");
  Window window((m_dir / "file" / "recovery").string());
  EXPECT_FALSE(window.keeper().Begin("/a.txt", true));
  EXPECT_NE(window.keeper().TakeFailure().find("cannot be used"), std::string::npos);
  EXPECT_EQ(window.keeper().TakeFailure(), "");
  window.type("typed");
  window.pause(m_start);
  window.writeNow();
  window.keeper().Close(true);
  EXPECT_EQ(window.keeper().BytesWritten(), 0u);
}

TEST_F(Keeping, AKilledFullCopyLeavesNoTemporaryForLong) {
  std::filesystem::create_directories(folder());
  // A save of a process that has ended, as a kill leaves it.
  const std::string leftover = folder() + "/.verbolt-save-999999999-aB3dE9";
  test_support::writeFile(leftover, "verbolt-recovery 1\n1\n");
  Window window(folder());
  window.keeper().Begin("/a.txt", true);
  EXPECT_FALSE(std::filesystem::exists(leftover));
}

}  // namespace

}  // namespace verbolt
