// Clicks on words with real pointer and key events, as a writer makes them.
#include "ui/click_commands.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/scrolwin.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <algorithm>

#include "highlight/gui_test_support.h"
#include "highlight/plan/colours.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"
#include "ui/settings_pane.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

class Clicks : public MainWindow {
 protected:
  // Loads `text`, processes it and returns the frame.
  FrameMain& processed(const std::string& text) {
    FrameMain& frame = openFrame();
    setText(text);
    command(kIdProcess);
    return frame;
  }

  long at(const std::string& text, const std::string& what, int nth = 0) {
    size_t found = text.find(what);
    while (nth-- > 0) found = text.find(what, found + 1);
    EXPECT_NE(found, std::string::npos) << what;
    return static_cast<long>(found);
  }

  Rgb top100LineColour(const std::string& word) {
    std::string pane = toCp1252(m_frame->Top100().GetValue());
    size_t line = pane.find(" : " + word + "\n");
    EXPECT_NE(line, std::string::npos) << word;
    return backgroundAt(m_frame->Top100(), static_cast<long>(line + 3));
  }
};

const Rgb kCloseRed = markedColour(HighlightClass::kClose);
const Rgb kYellow = classColour(HighlightClass::kClose);

TEST_F(Clicks, APlainClickMarksTheWordAndItsFamilyRed) {
  const std::string text = "La maison, les maisons et la maisonnette. Un chien. Un chien.";
  FrameMain& frame = processed(text);
  ASSERT_EQ(colourAt(at(text, "maison")), kYellow);
  clickAt(frame.Editor(), at(text, "maison") + 2);
  EXPECT_EQ(frame.MarkedWord(), "maison");
  EXPECT_EQ(colourAt(at(text, "maison")), kCloseRed);
  EXPECT_EQ(colourAt(at(text, "maisons") + 6), kCloseRed);
  EXPECT_EQ(colourAt(at(text, "maisonnette") + 10), kCloseRed);
  EXPECT_EQ(colourAt(at(text, "chien")), kYellow);
  EXPECT_EQ(top100LineColour("maison"), kTop100Mark);
  EXPECT_EQ(top100LineColour("chien"), kTop100Background);

  // Another word: the first gets its class colour back.
  clickAt(frame.Editor(), at(text, "chien"));
  EXPECT_EQ(frame.MarkedWord(), "chien");
  EXPECT_EQ(colourAt(at(text, "maison")), kYellow);
  EXPECT_EQ(colourAt(at(text, "maisonnette") + 10), kYellow);
  EXPECT_EQ(colourAt(at(text, "chien", 1) + 3), kCloseRed);
  EXPECT_EQ(top100LineColour("maison"), kTop100Background);
  EXPECT_EQ(top100LineColour("chien"), kTop100Mark);
}

TEST_F(Clicks, AWordWithoutClassTurnsRedThenWhiteAgain) {
  const std::string text = "alpha beta gamma delta";
  FrameMain& frame = processed(text);
  clickAt(frame.Editor(), at(text, "gamma"));
  EXPECT_EQ(colourAt(at(text, "gamma") + 1), kMarkedWithoutClass);
  clickAt(frame.Editor(), at(text, "delta") + 4);  // ends the text
  EXPECT_EQ(colourAt(at(text, "gamma") + 1), kWhite);
  for (long i = at(text, "delta"); i < static_cast<long>(text.size()); ++i) {
    EXPECT_EQ(colourAt(i), kMarkedWithoutClass) << i;
  }
}

TEST_F(Clicks, ClicksOnASpaceOrPastTheEndChangeNothing) {
  const std::string text = "chat chat";
  FrameMain& frame = processed(text + "\n\n\n");
  clickAt(frame.Editor(), 0);
  ASSERT_EQ(frame.MarkedWord(), "chat");
  clickAt(frame.Editor(), 4);  // the space
  EXPECT_EQ(frame.MarkedWord(), "chat");
  EXPECT_EQ(colourAt(0), kCloseRed);
  frame.Editor().SendWordClick(static_cast<long>(text.size()) + 3, false, false);  // past the end
  frame.Editor().SendWordClick(-1, false, true);
  EXPECT_EQ(frame.MarkedWord(), "chat");
  EXPECT_EQ(colourAt(5), kCloseRed);
}

TEST_F(Clicks, ControlClickAddsTheWordToTheWordsToSkip) {
  const std::string text = "Les Chiens aboient. Les chiens dorment.";
  FrameMain& frame = processed(text);
  frame.Settings().Scroll(0, 30);
  numberField(&AnalysisSettings::m_closeDistance)->ChangeValue("12ab");
  numberField(&AnalysisSettings::m_distantNb)->ChangeValue("0");  // kept out of range
  clickAt(frame.Editor(), at(text, "Chiens"), kControl);
  EXPECT_EQ(listField(&AnalysisSettings::m_skipWords)->GetValue(),
            "i you he she it we they chiens");
  EXPECT_EQ(numberField(&AnalysisSettings::m_closeDistance)->GetValue(), "12");
  EXPECT_EQ(numberField(&AnalysisSettings::m_distantNb)->GetValue(), "0");
  EXPECT_TRUE(frame.MarkedWord().empty());
  EXPECT_EQ(frame.Settings().GetViewStart().y, 0);
  EXPECT_EQ(colourAt(at(text, "Chiens")), kYellow);  // counts from the next Process

  // Already there (or similar to an entry): nothing is added.
  clickAt(frame.Editor(), at(text, "chiens"), kControl | kAlt);
  EXPECT_EQ(listField(&AnalysisSettings::m_skipWords)->GetValue(),
            "i you he she it we they chiens");
  command(kIdProcess);
  EXPECT_EQ(colourAt(at(text, "Chiens")), kWhite);
}

TEST_F(Clicks, AltClickGreysARepetitionAndASecondOneRestoresIt) {
  const std::string text = "Le chat dort. Le chat mange. Une souris.";
  FrameMain& frame = processed(text);
  clickAt(frame.Editor(), at(text, "chat"), kAlt);
  EXPECT_EQ(listField(&AnalysisSettings::m_hiddenList)->GetValue(), "chat");
  EXPECT_EQ(colourAt(at(text, "chat")), hiddenColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(at(text, "chat", 1) + 3), hiddenColour(HighlightClass::kClose));
  EXPECT_TRUE(frame.MarkedWord().empty());
  EXPECT_GT(frame.Settings().GetViewStart().y, 0);

  // Hidden words stay grey across Process.
  command(kIdProcess);
  EXPECT_EQ(colourAt(at(text, "chat")), hiddenColour(HighlightClass::kClose));

  clickAt(frame.Editor(), at(text, "chat", 1), kAlt);
  EXPECT_EQ(listField(&AnalysisSettings::m_hiddenList)->GetValue(), "");
  EXPECT_EQ(colourAt(at(text, "chat")), kYellow);

  // A word without a colour joins the list but stays white.
  clickAt(frame.Editor(), at(text, "souris"), kAlt);
  EXPECT_EQ(listField(&AnalysisSettings::m_hiddenList)->GetValue(), "souris");
  EXPECT_EQ(colourAt(at(text, "souris")), kWhite);
}

TEST_F(Clicks, AMarkedWordHiddenStaysRedUntilAnotherIsMarked) {
  const std::string text = "Le chat dort. Le chat mange. Le chien. Le chien.";
  FrameMain& frame = processed(text);
  clickAt(frame.Editor(), at(text, "chat"));
  clickAt(frame.Editor(), at(text, "chat"), kAlt);
  EXPECT_EQ(colourAt(at(text, "chat")), kCloseRed);
  clickAt(frame.Editor(), at(text, "chien"));
  EXPECT_EQ(colourAt(at(text, "chat")), hiddenColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(at(text, "chien")), kCloseRed);
}

TEST_F(Clicks, SimilarWordsHideTogether) {
  const std::string text = "maison maisons. maison maisons.";
  FrameMain& frame = processed(text);
  listField(&AnalysisSettings::m_hiddenList)->ChangeValue("maison maison");
  clickAt(frame.Editor(), at(text, "maisons"), kAlt);  // similar to the first entry
  EXPECT_EQ(listField(&AnalysisSettings::m_hiddenList)->GetValue(), "maison");
  EXPECT_EQ(colourAt(at(text, "maisons") + 2), hiddenColour(HighlightClass::kClose));
}

// The pane is a list sorted by count: a word seen once sits far below what
// the pane shows, and a click on it in the text brings its line into view.
TEST_F(Clicks, AClickInTheTextScrollsTheTop100ToTheWord) {
  FrameMain& frame = openFrame();
  command(kIdProcess);
  const std::string text = toCp1252(frame.Editor().GetValue());
  const std::string pane = toCp1252(frame.Top100().GetValue());
  const long line = static_cast<long>(pane.find(" : yellow\n")) + 3;
  wxTextCtrl& top100 = frame.Top100();
  auto lineVisible = [&] {
    const wxPoint where = top100.PositionToCoords(line);
    return where.y >= 0 && where.y + top100.GetCharHeight() <= top100.GetClientSize().y;
  };
  // GTK lays a text out at idle time; until then it guesses where lines are.
  const long linesAbove = std::count(pane.begin(), pane.begin() + line, '\n');
  ASSERT_TRUE(waitFor([&] {
    return top100.PositionToCoords(line).y >= linesAbove * (top100.GetCharHeight() - 2);
  }));
  ASSERT_FALSE(lineVisible()) << "the pane is tall enough to show every word";
  clickAt(frame.Editor(), at(text, "yellow") + 2);
  ASSERT_EQ(frame.MarkedWord(), "yellow");
  EXPECT_TRUE(waitFor(lineVisible));
  EXPECT_EQ(top100LineColour("yellow"), kTop100Mark);
}

TEST_F(Clicks, AClickInTheTop100MarksTheWordWithoutMovingThePane) {
  const std::string text = "Une table, une tablette, une table.";
  FrameMain& frame = processed(text);
  std::string pane = toCp1252(frame.Top100().GetValue());
  long line = static_cast<long>(pane.find("table"));
  ASSERT_GE(line, 0);
  clickAt(frame.Top100(), line + 1, kControl);  // modifiers mean nothing there
  EXPECT_EQ(frame.MarkedWord(), "table");
  EXPECT_EQ(colourAt(at(text, "tablette") + 1), kCloseRed);
  EXPECT_EQ(listField(&AnalysisSettings::m_skipWords)->GetValue(), "i you he she it we they");
  EXPECT_EQ(top100LineColour("table"), kTop100Mark);
}

TEST_F(Clicks, AOneLetterSearchedWordKeepsItsClassWhenMarked) {
  FrameMain& frame = openFrame();
  clickSwitch(kSwitchWords, true);
  numberField(&AnalysisSettings::m_wordsLetterMin)->ChangeValue("1");
  numberField(&AnalysisSettings::m_wordsLetterMax)->ChangeValue("1");
  const std::string text = "x marks y";
  setText(text);
  command(kIdProcess);
  ASSERT_EQ(colourAt(0), classColour(HighlightClass::kSearched));
  frame.Editor().SendWordClick(0, false, false);
  EXPECT_EQ(colourAt(0), markedColour(HighlightClass::kSearched));
  frame.Editor().SendWordClick(8, false, false);  // "y", the last letter of the text
  EXPECT_EQ(colourAt(0), classColour(HighlightClass::kSearched));
  EXPECT_EQ(colourAt(8), markedColour(HighlightClass::kSearched));
}

TEST_F(Clicks, ContextMenuCommandsActWhereTheMenuWasOpened) {
  const std::string text = "Le chat dort. Le chat mange.";
  FrameMain& frame = processed(text);
  TextCtrlCustom& editor = frame.Editor();
  long chat = at(text, "chat", 1);
  wxPoint screen = editor.ClientToScreen(editor.PositionToCoords(chat)) + wxPoint(2, 5);
  wxContextMenuEvent open(wxEVT_CONTEXT_MENU, editor.GetId(), screen);
  open.SetEventObject(&editor);
  editor.GetEventHandler()->ProcessEvent(open);
  ASSERT_EQ(poppedMenus.size(), 1u);
  EXPECT_EQ(editor.ContextPosition(), chat);
  wxMenu& menu = *poppedMenus[0];
  EXPECT_EQ(menu.FindItemByPosition(0)->GetId(), kStrAddToSkipWords);
  EXPECT_EQ(menu.FindItemByPosition(1)->GetId(), kStrToggleHidden);
  EXPECT_EQ(menu.FindItemByPosition(2)->GetId(), kStrIgnoreInBook);
  EXPECT_EQ(menu.FindItemByPosition(4)->GetId(), wxID_UNDO);
  EXPECT_EQ(menu.FindItemByPosition(12)->GetId(), wxID_SELECTALL);
  EXPECT_EQ(menu.GetMenuItemCount(), 13u);

  editor.SetInsertionPoint(0);  // the selection does not matter, the right click does
  wxCommandEvent hide(wxEVT_MENU, kStrToggleHidden);
  hide.SetEventObject(&menu);
  editor.GetEventHandler()->ProcessEvent(hide);
  EXPECT_EQ(listField(&AnalysisSettings::m_hiddenList)->GetValue(), "chat");
  wxCommandEvent skip(wxEVT_MENU, kStrAddToSkipWords);
  editor.GetEventHandler()->ProcessEvent(skip);
  EXPECT_EQ(listField(&AnalysisSettings::m_skipWords)->GetValue(), "i you he she it we they chat");

  // The Top-100 pane's menu has the standard items only.
  EXPECT_EQ(frame.Top100().ContextMenu().GetMenuItemCount(), 9u);
}

// A manuscript's book list: the words of the .verbolt-ignore files above
// it are never coloured, and the context menu adds a word to the nearest.
TEST_F(Clicks, TheBooksIgnoreFileKeepsItsWordsWhite) {
  const fs::path book = m_dir / "book";
  fs::create_directories(book / "chapters");
  test_support::writeFile(book / ".verbolt-ignore", "garden\n");
  const std::string text = "The garden, the garden. A chat, a chat.\n";
  test_support::writeFile(book / "chapters" / "one.txt", text);
  FrameMain& frame = openFrame();
  ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8((book / "chapters" / "one.txt").string())));
  command(kIdProcess);
  const long garden = static_cast<long>(text.find("garden"));
  const long chat = static_cast<long>(text.find("chat"));
  EXPECT_EQ(colourAt(garden), kWhite);
  EXPECT_EQ(colourAt(chat), classColour(HighlightClass::kClose));
  EXPECT_EQ(toCp1252(frame.Top100().GetValue()).find("garden"), std::string::npos);
  // The pane's own list is the writer's, untouched by the book's.
  EXPECT_EQ(listField(&AnalysisSettings::m_skipWords)->GetValue().Find("garden"), wxNOT_FOUND);
  // The pane tells the book's words and where they come from; its button
  // opens the nearest list in the desktop's editor.
  EXPECT_EQ(frame.Settings().BookListLine().GetLabel(), "Words of the book's lists: 1");
  EXPECT_EQ(frame.Settings().BookListLine().GetToolTipText(),
            wxString::FromUTF8((book / ".verbolt-ignore").string()));
  auto* openList = wxDynamicCast(frame.FindWindow(kIdOpenBookList), wxButton);
  ASSERT_NE(openList, nullptr);
  ASSERT_TRUE(openList->IsEnabled());
  wxCommandEvent press(wxEVT_BUTTON, kIdOpenBookList);
  press.SetEventObject(openList);
  openList->GetEventHandler()->ProcessEvent(press);
  ASSERT_EQ(browserAddresses.size(), 1u);
  EXPECT_EQ(browserAddresses[0], wxString::FromUTF8((book / ".verbolt-ignore").string()));

  // "Ignore in this book" on "chat", chosen from the context menu there.
  TextCtrlCustom& editor = frame.Editor();
  editor.SetInsertionPoint(chat + 1);
  wxContextMenuEvent open(wxEVT_CONTEXT_MENU, editor.GetId(), wxDefaultPosition);
  open.SetEventObject(&editor);
  editor.GetEventHandler()->ProcessEvent(open);
  ASSERT_EQ(poppedMenus.size(), 1u);
  wxUpdateUIEvent update(kStrIgnoreInBook);
  update.SetEventObject(&editor);
  editor.GetEventHandler()->ProcessEvent(update);
  EXPECT_TRUE(update.GetEnabled());
  wxCommandEvent ignore(wxEVT_MENU, kStrIgnoreInBook);
  editor.GetEventHandler()->ProcessEvent(ignore);
  EXPECT_EQ(test_support::readFile(book / "chapters" / ".verbolt-ignore"), "chat\n");
  EXPECT_EQ(frame.Settings().BookListLine().GetLabel(), "Words of the book's lists: 2");
  command(kIdProcess);
  EXPECT_EQ(colourAt(chat), kWhite);
  EXPECT_EQ(colourAt(garden), kWhite);
}

// "Skip the characters' names", ticked with the pointer: the names stay
// white at the next F5, the other repetitions keep their colours, and the
// choice is there at the next start.
TEST_F(Clicks, TheCharactersNamesAreSkippedWhenTheWriterSaysSo) {
  FrameMain& frame = openFrame();
  const std::string text =
      "Later Anna closed the garden gate, and Anna smiled. The garden slept.\n";
  setText(text);
  const long anna = static_cast<long>(text.find("Anna"));
  const long garden = static_cast<long>(text.find("garden"));
  command(kIdProcess);
  ASSERT_EQ(colourAt(anna), classColour(HighlightClass::kClose));

  wxCheckBox& box = frame.Settings().SkipNamesBox();
  ASSERT_FALSE(box.GetValue());
  const wxRect area = box.GetScreenRect();
  const wxPoint middle(area.x + 8, area.y + area.height / 2);
  wxUIActionSimulator input;
  input.MouseMove(middle);
  waitFor([&] { return wxGetMousePosition() == middle; });
  input.MouseClick();
  ASSERT_TRUE(waitFor([&] { return box.GetValue(); }));
  command(kIdProcess);
  EXPECT_EQ(colourAt(anna), kWhite);
  EXPECT_EQ(colourAt(garden), classColour(HighlightClass::kClose));
  EXPECT_EQ(toCp1252(frame.Top100().GetValue()).find("anna"), std::string::npos);
  // Never in the pane's list, nor in config.txt.
  EXPECT_EQ(listField(&AnalysisSettings::m_skipWords)->GetValue().Find("anna"), wxNOT_FOUND);

  closeFrame();
  FrameMain& next = openFrame();
  EXPECT_TRUE(next.Settings().SkipNamesBox().GetValue());
  next.Settings().SkipNamesBox().SetValue(false);
  wxCommandEvent off(wxEVT_CHECKBOX, kIdSkipNames);
  off.SetEventObject(&next.Settings().SkipNamesBox());
  next.Settings().SkipNamesBox().GetEventHandler()->ProcessEvent(off);
}

TEST(AddSkipWord, AddsOnlyWordsWithoutAnEquivalentEntry) {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.m_skipWords = {"faire"};
  addSkipWord("fairent", settings);
  addSkipWord("fais", settings);
  EXPECT_EQ(settings.m_skipWords, (WordList{"faire", "fais"}));
  settings.m_sameActive = 0;
  addSkipWord("fairent", settings);
  EXPECT_EQ(settings.m_skipWords, (WordList{"faire", "fais", "fairent"}));
}

}  // namespace

}  // namespace verbolt
