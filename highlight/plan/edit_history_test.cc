#include "highlight/plan/edit_history.h"

#include <gtest/gtest.h>

#include <string>

namespace verbolt {

namespace {

// A text that the edits change, as the editor would: positions are bytes
// here, the texts being ASCII.
struct Document {
  std::string text;
  EditHistory history;

  void Apply(const TextEdit& edit, bool forward) {
    if (edit.inserted == forward) {
      text.insert(static_cast<size_t>(edit.position), edit.text);
    } else {
      text.erase(static_cast<size_t>(edit.position), static_cast<size_t>(edit.length));
    }
  }
  void Act(std::initializer_list<TextEdit> edits) {
    history.BeginAction();
    for (const TextEdit& edit : edits) {
      Apply(edit, true);
      history.Record(edit);
    }
    history.EndAction();
  }
  void Type(const std::string& typed) {
    for (char c : typed) Act({Insert(static_cast<long>(text.size()), std::string(1, c))});
  }
  void Backspace(int times) {
    for (int i = 0; i < times; ++i) {
      const long at = static_cast<long>(text.size()) - 1;
      Act({Delete(at, text.substr(static_cast<size_t>(at)))});
    }
  }
  bool Undo() {
    return history.Undo([this](EditStep& step) {
      for (auto it = step.rbegin(); it != step.rend(); ++it) Apply(*it, false);
    });
  }
  bool Redo() {
    return history.Redo([this](EditStep& step) {
      for (const TextEdit& edit : step) Apply(edit, true);
    });
  }
  static TextEdit Insert(long at, std::string s) {
    const long length = static_cast<long>(s.size());
    return {true, at, length, std::move(s), {}};
  }
  static TextEdit Delete(long at, std::string s) {
    const long length = static_cast<long>(s.size());
    return {false, at, length, std::move(s), {}};
  }
};

TEST(EditHistoryTest, TypingIsUndoneWordByWord) {
  Document doc;
  doc.Type("one two\nthree");
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.text, "one two\n");
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.text, "one ");
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.text, "");
  EXPECT_FALSE(doc.Undo());
  EXPECT_TRUE(doc.Redo());
  EXPECT_TRUE(doc.Redo());
  EXPECT_TRUE(doc.Redo());
  EXPECT_EQ(doc.text, "one two\nthree");
  EXPECT_FALSE(doc.Redo());
}

TEST(EditHistoryTest, BackspacingGroupsTheSameWayAndRestoresColours) {
  Document doc;
  doc.text = "said he said";
  const Rgb yellow = classColour(HighlightClass::kClose);
  // Each letter taken out keeps its colour; the merged step keeps them all
  // from its first character.
  for (int i = 0; i < 4; ++i) {
    const long at = static_cast<long>(doc.text.size()) - 1;
    TextEdit edit = Document::Delete(at, doc.text.substr(static_cast<size_t>(at)));
    edit.colours = {{0, 1, yellow}};
    doc.Act({edit});
  }
  doc.Backspace(4);  // " he " letter by letter: " " and "he " as typed
  EXPECT_EQ(doc.text, "said");
  doc.Undo();
  EXPECT_EQ(doc.text, "said ");
  doc.Undo();
  EXPECT_EQ(doc.text, "said he ");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.text, "said he said");
  // The undone step is the deletion of "said", with its four colours.
  bool seen = false;
  doc.history.Redo([&](EditStep& step) {
    ASSERT_EQ(step.size(), 1u);
    EXPECT_EQ(step[0].text, "said");
    EXPECT_EQ(step[0].position, 8);
    const std::vector<ColourRun> expected = {
        {0, 1, yellow}, {1, 2, yellow}, {2, 3, yellow}, {3, 4, yellow}};
    EXPECT_EQ(step[0].colours, expected);
    seen = true;
  });
  EXPECT_TRUE(seen);
}

TEST(EditHistoryTest, AReplacedSelectionOrAPasteIsOneStep) {
  Document doc;
  doc.text = "the old word";
  doc.Act({Document::Delete(4, "old"), Document::Insert(4, "new")});
  doc.Act({Document::Insert(0, "Here is ")});
  EXPECT_EQ(doc.text, "Here is the new word");
  doc.Undo();
  EXPECT_EQ(doc.text, "the new word");
  doc.Undo();
  EXPECT_EQ(doc.text, "the old word");
  // Letters typed over a selection are one step with it.
  doc.Act({Document::Delete(4, "old"), Document::Insert(4, "n")});
  doc.Act({Document::Insert(5, "e")});
  doc.Act({Document::Insert(6, "w")});
  EXPECT_EQ(doc.text, "the new word");
  doc.Undo();
  EXPECT_EQ(doc.text, "the old word");
  // Nested actions make one step.
  doc.history.BeginAction();
  doc.Act({Document::Insert(0, "a")});
  doc.Act({Document::Insert(1, "b")});
  doc.history.EndAction();
  doc.text = "abthe old word";
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.text, "the old word");
}

TEST(EditHistoryTest, TypingAfterAnUndoOrElsewhereStartsANewStep) {
  Document doc;
  doc.Type("abc");
  doc.Undo();
  doc.Type("x");
  doc.Type("y");
  EXPECT_FALSE(doc.history.CanRedo());
  doc.Undo();
  EXPECT_EQ(doc.text, "");
  // A letter typed away from the word being typed is a step of its own.
  doc.Type("ab");
  doc.Act({Document::Insert(0, "z")});
  doc.Undo();
  EXPECT_EQ(doc.text, "ab");
}

TEST(EditHistoryTest, CleanTextIsFoundAgainByUndoAndRedo) {
  Document doc;
  doc.history.MarkClean();
  EXPECT_TRUE(doc.history.IsClean());
  doc.Type("ab");
  EXPECT_FALSE(doc.history.IsClean());
  doc.history.MarkClean();  // saved
  doc.Type("c");            // starts its own step after the save
  EXPECT_FALSE(doc.history.IsClean());
  doc.Undo();
  EXPECT_EQ(doc.text, "ab");
  EXPECT_TRUE(doc.history.IsClean());
  doc.Undo();
  EXPECT_FALSE(doc.history.IsClean());
  // A new edit from here makes the saved text out of reach.
  doc.Type("q");
  doc.Undo();
  doc.Redo();
  EXPECT_FALSE(doc.history.IsClean());
  doc.history.Forget();
  EXPECT_FALSE(doc.history.CanUndo());
  EXPECT_EQ(doc.history.Bytes(), 0u);
}

TEST(EditHistoryTest, StaysWithinItsBoundDroppingTheOldestSteps) {
  Document doc;
  const std::string chapter(kMaxHistoryBytes / 4, 'x');
  for (int i = 0; i < 6; ++i) {
    doc.Act({Document::Insert(0, chapter)});
    EXPECT_LE(doc.history.Bytes(), kMaxHistoryBytes);
  }
  int undone = 0;
  while (doc.Undo()) ++undone;
  EXPECT_EQ(undone, 3);
  EXPECT_EQ(doc.text.size(), 3 * chapter.size());
  // A step larger than the bound is still kept: the last edit can always
  // be undone.
  doc.history.Forget();
  doc.text.clear();
  doc.Act({Document::Insert(0, std::string(kMaxHistoryBytes + 1, 'y'))});
  EXPECT_TRUE(doc.Undo());
  EXPECT_TRUE(doc.text.empty());
}

}  // namespace

}  // namespace verbolt
