// Nothing a writer typed is lost: the window keeps a recovery copy of its
// unsaved text as the writer types, brings it back at the next start on
// the file, and lets it go once the text is saved or discarded.
#include <gtest/gtest.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "highlight/editor_history.h"
#include "recovery/recovery_copy.h"
#include "strings/localized_text.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/localized.h"
#include "ui/main_window_fixture.h"

namespace verbolt {

namespace {

const std::string kChapter = "It was a dark night.\r\nThe end.\r\n";

class Recovery : public WriterAtKeyboard {
 protected:
  void SetUp() override {
    WriterAtKeyboard::SetUp();
    m_chapter = (m_dir / "chapter.txt").string();
    test_support::writeFile(m_chapter, kChapter);
  }

  static fs::path recoveryFolder() {
    return fs::path(std::getenv("XDG_STATE_HOME")) / "verbolt" / "recovery";
  }

  // The copy the folder holds for the chapter, as a start would read it;
  // none when there is no copy.
  std::optional<RecoveredText> copyOfChapter() const {
    if (!fs::exists(recoveryFolder())) return std::nullopt;
    for (const fs::directory_entry& entry : fs::directory_iterator(recoveryFolder())) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("chapter.txt-") && name.ends_with(".snapshot")) {
        fs::path journal = entry.path();
        journal.replace_extension(".journal");
        std::optional<RecoveredText> copy = readRecovery(readFile(entry.path()), readFile(journal));
        if (copy && copy->documentPath == m_chapter) return copy;
      }
    }
    return std::nullopt;
  }

  // Opens the chapter and types `letters` before "night".
  void openAndType(const char* letters, const std::string& expected) {
    FrameMain& frame = openFrame();
    frame.Raise();
    ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(m_chapter)));
    clickAt(frame.Editor(), at("night"));
    ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
    ASSERT_TRUE(typeAndSee(letters, expected));
  }

  // Waits until the copy on disk holds `expected`, as a pause in the
  // typing writes it.
  bool copyHolds(const std::string& expected) const {
    return waitFor(
        [&] {
          const std::optional<RecoveredText> copy = copyOfChapter();
          return copy && copy->utf8.find(expected) != std::string::npos;
        },
        5000);
  }

  std::string m_chapter;
};

TEST_F(Recovery, TypedTextComesBackAfterTheWindowEndsWithoutAQuestion) {
  openAndType("stormy ", "dark stormy night");
  ASSERT_TRUE(copyHolds("It was a dark stormy night.\nThe end.\n"));
  EXPECT_EQ(copyOfChapter()->format.lineEnds, LineEnds::kCrLf);
  EXPECT_EQ(readFile(m_chapter), kChapter) << "the file is never written on its own";
  // Gone as a kill leaves it: no close, no question.
  closeFrame();

  FrameMain& frame = openFrame();
  ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(m_chapter)));
  EXPECT_EQ(editorText(), "It was a dark stormy night.\nThe end.\n");
  EXPECT_TRUE(frame.ShowsRecoveredText());
  EXPECT_TRUE(frame.CurrentDocument().modified);
  EXPECT_EQ(frame.GetTitle(), "chapter.txt * - Verbolt 2");
  EXPECT_EQ(frame.GetStatusBar()->GetStatusText(kWhereField), localized(kStrRecovered));
  EXPECT_EQ(frame.Editor().GetInsertionPoint(), at("night"));
  EXPECT_EQ(readFile(m_chapter), kChapter);

  // The undo history starts with the text brought back: undoing never
  // claims it is the saved one.
  EXPECT_FALSE(frame.Editor().History()->IsClean());

  command(kIdSave);
  EXPECT_EQ(readFile(m_chapter), "It was a dark stormy night.\r\nThe end.\r\n");
  EXPECT_FALSE(frame.ShowsRecoveredText());
  EXPECT_FALSE(copyOfChapter()) << "a saved text needs no copy";
}

TEST_F(Recovery, DiscardGoesBackToTheFileAndTheNextStartCanStillBringTheTextBack) {
  openAndType("cold ", "dark cold night");
  ASSERT_TRUE(copyHolds("dark cold night"));
  closeFrame();

  FrameMain& frame = openFrame();
  ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(m_chapter)));
  ASSERT_TRUE(frame.ShowsRecoveredText());
  command(kIdDiscardRecovered);
  EXPECT_EQ(editorText(), "It was a dark night.\nThe end.\n");
  EXPECT_FALSE(frame.CurrentDocument().modified);
  EXPECT_EQ(frame.GetTitle(), "chapter.txt - Verbolt 2");
  // Closed from its close box, with nothing to ask.
  EXPECT_TRUE(frame.Close(false));
  ASSERT_TRUE(waitFor([&] { return !wxTopLevelWindows.Find(m_frame); }));
  m_frame = nullptr;
  EXPECT_TRUE(messageBoxes.empty());
  ASSERT_TRUE(copyOfChapter());
  EXPECT_NE(copyOfChapter()->utf8.find("dark cold night"), std::string::npos);

  FrameMain& again = openFrame();
  ASSERT_TRUE(again.OpenFile(wxString::FromUTF8(m_chapter)));
  EXPECT_EQ(editorText(), "It was a dark cold night.\nThe end.\n");
}

TEST_F(Recovery, ClosingWithoutSavingLetsTheCopyGoAndASignalKeepsIt) {
  openAndType("wet ", "dark wet night");
  ASSERT_TRUE(copyHolds("dark wet night"));
  // The writer answers "do not save".
  messageBoxAnswers = {wxNO};
  EXPECT_TRUE(m_frame->Close(false));
  ASSERT_TRUE(waitFor([&] { return !wxTopLevelWindows.Find(m_frame); }));
  m_frame = nullptr;
  EXPECT_FALSE(copyOfChapter());

  // A forced close, as a signal makes, right after typing: no pause for
  // the copy to be written, and none needed.
  openAndType("long ", "dark long night");
  m_frame->Close(true);
  ASSERT_TRUE(waitFor([&] { return !wxTopLevelWindows.Find(m_frame); }));
  m_frame = nullptr;
  ASSERT_TRUE(copyOfChapter());
  EXPECT_NE(copyOfChapter()->utf8.find("dark long night"), std::string::npos);
}

TEST_F(Recovery, AFileChangedByAnotherProgramIsNotWrittenOverWithoutAsking) {
  FrameMain& frame = openFrame();
  ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(m_chapter)));
  frame.Editor().AppendText("Mine.");
  // Another program replaces the file after it was opened.
  const fs::path other = m_dir / "other.txt";
  test_support::writeFile(other, "Their version.\n");
  fs::rename(other, m_chapter);

  messageBoxAnswers = {wxCANCEL};
  command(kIdSave);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_NE(messageBoxes[0].message.find("chapter.txt"), wxString::npos);
  EXPECT_EQ(readFile(m_chapter), "Their version.\n");
  EXPECT_TRUE(frame.CurrentDocument().modified);

  // Save As from the question writes elsewhere and leaves theirs alone.
  const std::string mine = (m_dir / "mine.txt").string();
  messageBoxAnswers = {wxNO};
  fileDialogAnswers = {wxString::FromUTF8(mine)};
  command(kIdSave);
  EXPECT_EQ(readFile(m_chapter), "Their version.\n");
  EXPECT_EQ(readFile(mine), "It was a dark night.\r\nThe end.\r\nMine.");

  // Once saved, the next save of the same file asks nothing.
  frame.Editor().AppendText(" More.");
  command(kIdSave);
  EXPECT_EQ(messageBoxes.size(), 2u);
  EXPECT_EQ(readFile(mine), "It was a dark night.\r\nThe end.\r\nMine. More.");

  // Overwrite, when the writer says so.
  test_support::writeFile(m_dir / "other.txt", "Theirs again.\n");
  fs::rename(m_dir / "other.txt", mine);
  messageBoxAnswers = {wxYES};
  frame.Editor().AppendText("!");
  command(kIdSave);
  EXPECT_EQ(messageBoxes.size(), 3u);
  EXPECT_EQ(readFile(mine), "It was a dark night.\r\nThe end.\r\nMine. More.!");
}

TEST_F(Recovery, AnUntitledTextComesBackAtAStartWithoutAFile) {
  FrameMain& frame = openFrame();
  frame.RecoverUntitledText();
  EXPECT_FALSE(frame.ShowsRecoveredText());
  setText("");
  frame.Editor().AppendText("Notes for chapter two.");
  EXPECT_EQ(frame.GetTitle(), localized(kStrUntitled) + " * - Verbolt 2");
  frame.WriteRecoveryNow();
  closeFrame();

  FrameMain& next = openFrame();
  next.RecoverUntitledText();
  EXPECT_TRUE(next.ShowsRecoveredText());
  EXPECT_EQ(editorText(), "Notes for chapter two.");
  EXPECT_EQ(next.GetTitle(), localized(kStrUntitled) + " * - Verbolt 2");
  command(kIdDiscardRecovered);
  EXPECT_EQ(editorText(), "");
}

}  // namespace

}  // namespace verbolt
