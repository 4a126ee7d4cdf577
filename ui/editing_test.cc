// Editing in place: undo and redo with the keys and the menus, and walking
// through the findings with F3, as a writer does it.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "highlight/background_map.h"
#include "highlight/editor_history.h"
#include "highlight/gui_test_support.h"
#include "highlight/plan/colours.h"
#include "ui/echoes_controls.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

const Rgb kYellow = classColour(HighlightClass::kClose);

// Close repetitions at 3, 17 (chat), 32, 48 (chien), 75, 92 (souris).
const std::string kAnimals =
    "Le chat dort. Le chat mange.\nUn chien court, un chien saute.\nRien ici.\n"
    "Une souris passe, la souris fuit.\n";

class Editing : public WriterAtKeyboard {
 protected:
  std::vector<ColourRun> colours() { return BackgroundMap(m_frame->Editor()).runs(); }

  std::pair<long, long> selection() {
    long from = 0, to = 0;
    m_frame->Editor().GetSelection(&from, &to);
    return {from, to};
  }

  wxString status(int field = 0) { return m_frame->GetStatusBar()->GetStatusText(field); }

  // Presses `key` and waits until the editor holds exactly `expected`.
  bool pressAndSee(int key, int modifiers, const std::string& expected) {
    press(key, modifiers);
    const bool seen = waitFor([&] { return editorText() == expected; }, 2000);
    EXPECT_TRUE(seen) << "the editor holds \"" << editorText().substr(0, 300) << "\", not \""
                      << expected.substr(0, 300) << "\"";
    return seen;
  }

  bool undo(const std::string& expected) { return pressAndSee('z', wxMOD_CONTROL, expected); }

  // Presses F3 (or Shift+F3) and waits until `word` at `start` is selected.
  void walkTo(bool forward, long start, const std::string& word) {
    press(WXK_F3, forward ? wxMOD_NONE : wxMOD_SHIFT);
    const std::pair<long, long> expected{start, start + static_cast<long>(word.size())};
    EXPECT_TRUE(waitFor([&] { return selection() == expected; }))
        << "selected " << selection().first << "-" << selection().second << ", not " << word
        << " at " << start;
  }
};

TEST_F(Editing, TypingIsUndoneWordByWordAndRedoneWithBothKeys) {
  FrameMain& frame = openOn("Un chat.\n", 8);
  ASSERT_TRUE(typeAndSee(" Le chien dort", "Un chat. Le chien dort\n"));
  ASSERT_TRUE(undo("Un chat. Le chien \n"));
  ASSERT_TRUE(undo("Un chat. Le \n"));
  ASSERT_TRUE(undo("Un chat. \n"));
  ASSERT_TRUE(undo("Un chat.\n"));
  // Nothing before the text as it was put into the editor.
  press('z', wxMOD_CONTROL);
  EXPECT_FALSE(waitFor([&] { return editorText() != "Un chat.\n"; }, 300));
  EXPECT_FALSE(frame.Editor().CanUndo());

  ASSERT_TRUE(pressAndSee('z', wxMOD_CONTROL | wxMOD_SHIFT, "Un chat. \n"));
  ASSERT_TRUE(pressAndSee('y', wxMOD_CONTROL, "Un chat. Le \n"));
  // A new word typed after an undo ends what could be redone.
  ASSERT_TRUE(typeAndSee("loup", "Un chat. Le loup\n"));
  EXPECT_FALSE(frame.Editor().CanRedo());
  EXPECT_EQ(wxWindow::FindFocus(), &frame.Editor());
}

TEST_F(Editing, UndoAcrossProcessTakesBackTheEditAndLeavesEveryOtherColour) {
  FrameMain& frame = openOn(kAnimals, 38);
  frame.Editor().SetInsertionPoint(38);  // before "court"
  press(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return colourAt(3) == kYellow; }));
  const std::vector<ColourRun> processed = colours();

  // Delete "court" with the keyboard, process again, then undo.
  for (int i = 0; i < 5; ++i) press(WXK_DELETE);
  ASSERT_TRUE(waitFor([&] { return editorText().find("chien , un") != std::string::npos; }))
      << editorText();
  press(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return colourAt(3) == kYellow; }));
  std::string restored = kAnimals;
  ASSERT_TRUE(undo(restored));
  // Colouring never entered the history: the one undo took back the
  // deletion, and every colour is the one of the first run.
  EXPECT_EQ(colours(), processed);
  EXPECT_FALSE(frame.Editor().CanUndo());
  ASSERT_TRUE(pressAndSee('y', wxMOD_CONTROL,
                          "Le chat dort. Le chat mange.\nUn chien , un"
                          " chien saute.\nRien ici.\n"
                          "Une souris passe, la souris fuit.\n"));
  EXPECT_EQ(colourAt(32), kYellow);
  EXPECT_EQ(colourAt(43), kYellow);
}

TEST_F(Editing, AReplacedColouredWordComesBackWithItsColour) {
  openOn(kAnimals, 0);
  press(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return colourAt(3) == kYellow; }));
  const std::vector<ColourRun> processed = colours();
  m_frame->Editor().SetSelection(17, 21);  // the second "chat"
  ASSERT_TRUE(typeAndSee("c", "Le c mange"));
  ASSERT_TRUE(undo(kAnimals));
  EXPECT_EQ(colours(), processed);
}

TEST_F(Editing, APasteIsOneStepAndItsUndoLeavesTheColoursAsTheyWere) {
  FrameMain& frame = openOn(kAnimals, 63);  // before "Rien"
  press(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return colourAt(3) == kYellow; }));
  const std::vector<ColourRun> processed = colours();
  ASSERT_TRUE(wxTheClipboard->Open());
  wxTheClipboard->SetData(new wxTextDataObject("Trois mots ici. "));
  wxTheClipboard->Close();
  frame.Editor().SetInsertionPoint(63);

  std::string pasted = kAnimals;
  pasted.insert(63, "Trois mots ici. ");
  ASSERT_TRUE(pressAndSee('v', wxMOD_CONTROL, pasted));
  EXPECT_TRUE(frame.Editor().CanUndo());
  ASSERT_TRUE(undo(kAnimals));
  EXPECT_EQ(colours(), processed);
  EXPECT_FALSE(frame.Editor().CanUndo());
}

TEST_F(Editing, ALongPasteKeepsTheViewAndAShortOneFollowsTheCaret) {
  FrameMain& frame = openOn("Un chat.\n", 0);
  std::string chapter;
  while (chapter.size() < 200000) chapter += "Le chat dort sur le tapis rouge du salon.\n";
  ASSERT_TRUE(wxTheClipboard->Open());
  wxTheClipboard->SetData(new wxTextDataObject(chapter));
  wxTheClipboard->Close();
  frame.Editor().SetInsertionPoint(0);
  ASSERT_TRUE(pressAndSee('v', wxMOD_CONTROL, chapter + "Un chat.\n"));
  // The start of the pasted text, where the caret stood and stays, is still
  // in sight, and the next key goes there.
  settle();
  const wxPoint first = frame.Editor().PositionToCoords(0);
  EXPECT_TRUE(first != wxDefaultPosition && first.y >= 0) << first.y;
  EXPECT_EQ(frame.Editor().GetInsertionPoint(), 0);
  ASSERT_TRUE(typeAndSee("X", "X" + chapter + "Un chat.\n"));
  ASSERT_TRUE(undo(chapter + "Un chat.\n"));

  // A short paste at the end of the text brings the caret into view.
  ASSERT_TRUE(wxTheClipboard->Open());
  wxTheClipboard->SetData(new wxTextDataObject("Fin."));
  wxTheClipboard->Close();
  frame.Editor().SetInsertionPointEnd();
  ASSERT_TRUE(pressAndSee('v', wxMOD_CONTROL, chapter + "Un chat.\nFin."));
  const long end = frame.Editor().GetLastPosition();
  EXPECT_TRUE(waitFor([&] {
    const wxPoint point = frame.Editor().PositionToCoords(end);
    return point != wxDefaultPosition && point.y >= 0 && point.y < frame.Editor().GetClientSize().y;
  })) << "the end of the paste is not in sight";
  ASSERT_TRUE(undo(chapter + "Un chat.\n"));
  ASSERT_TRUE(undo("Un chat.\n"));
}

TEST_F(Editing, TheMenusUndoAndAreEnabledOnlyWithSomethingToUndo) {
  FrameMain& frame = openOn("Un chat.\n", 0);
  wxMenuBar* bar = frame.GetMenuBar();
  ASSERT_EQ(bar->GetMenuCount(), 4u);
  EXPECT_EQ(bar->GetMenuLabelText(1), "Edit");
  EXPECT_EQ(bar->GetMenuLabelText(2), "View");
  EXPECT_EQ(bar->GetMenuLabelText(3), "Help");

  // The context menu's items, as the menu shows them when it opens.
  wxMenu& context = frame.Editor().ContextMenu();
  context.UpdateUI(&frame.Editor());
  EXPECT_FALSE(context.IsEnabled(wxID_UNDO));
  ASSERT_TRUE(typeAndSee("Le ", "Le Un chat"));
  context.UpdateUI(&frame.Editor());
  EXPECT_TRUE(context.IsEnabled(wxID_UNDO));
  EXPECT_FALSE(context.IsEnabled(wxID_REDO));
  wxCommandEvent undoItem(wxEVT_MENU, wxID_UNDO);
  frame.Editor().GetEventHandler()->ProcessEvent(undoItem);
  EXPECT_EQ(editorText(), "Un chat.\n");
  context.UpdateUI(&frame.Editor());
  EXPECT_TRUE(context.IsEnabled(wxID_REDO));

  // The Edit menu's items.
  wxMenu* edit = bar->GetMenu(1);
  edit->UpdateUI(&frame);
  EXPECT_FALSE(edit->IsEnabled(kIdUndo));
  EXPECT_TRUE(edit->IsEnabled(kIdRedo));
  command(kIdRedo);
  EXPECT_EQ(editorText(), "Le Un chat.\n");
  command(kIdSelectAll);
  command(kIdCut);
  EXPECT_EQ(editorText(), "");
  command(kIdUndo);
  EXPECT_EQ(editorText(), "Le Un chat.\n");

  // The context menu's Delete is an edit of the writer's like the others.
  frame.Editor().SetSelection(0, 3);
  wxCommandEvent deleteItem(wxEVT_MENU, wxID_CLEAR);
  frame.Editor().GetEventHandler()->ProcessEvent(deleteItem);
  EXPECT_EQ(editorText(), "Un chat.\n");
  ASSERT_TRUE(undo("Le Un chat.\n"));
}

TEST_F(Editing, UndoingBackToTheOpenedFileClearsTheChangeMark) {
  const fs::path file = m_dir / "chapter.txt";
  { std::ofstream(file) << "Un chat.\n"; }
  FrameMain& frame = openFrame();
  ASSERT_TRUE(frame.OpenFile(file.string()));
  EXPECT_FALSE(frame.Editor().CanUndo());  // opening is no step
  clickAt(frame.Editor(), 0);
  ASSERT_TRUE(typeAndSee("Le ", "Le Un chat"));
  EXPECT_TRUE(waitFor([&] { return frame.GetTitle() == "chapter.txt * - Verbolt 2"; }));
  ASSERT_TRUE(undo("Un chat.\n"));
  EXPECT_EQ(frame.GetTitle(), "chapter.txt - Verbolt 2");
}

TEST_F(Editing, F3WalksThroughTheCloseRepetitionsBothWaysAndWraps) {
  openOn(kAnimals, 0);
  press(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return colourAt(3) == kYellow; }));
  EXPECT_EQ(status(1), "20 words");

  walkTo(true, 3, "chat");
  EXPECT_EQ(status(), "close repetition 1 of 6");
  walkTo(true, 17, "chat");
  walkTo(true, 32, "chien");
  walkTo(true, 48, "chien");
  walkTo(true, 75, "souris");
  walkTo(true, 92, "souris");
  EXPECT_EQ(status(), "close repetition 6 of 6");
  walkTo(true, 3, "chat");
  walkTo(false, 92, "souris");
  walkTo(false, 75, "souris");
  EXPECT_EQ(status(), "close repetition 5 of 6");
  EXPECT_EQ(wxWindow::FindFocus(), &m_frame->Editor());

  // The writer rewrites the finding; the walk goes on from there.
  ASSERT_TRUE(typeAndSee("rat", "Une rat passe"));
  walkTo(true, 89, "souris");
  EXPECT_EQ(status(), "close repetition 5 of 5");
  ASSERT_TRUE(undo(kAnimals));
  EXPECT_EQ(colourAt(75), kYellow);
}

// The echoes, switched on with the pointer at the end of the settings pane:
// F5 colours the phrase that comes back and the sentences that open alike,
// F3 walks them, and the choice is a preference, never in config.txt.
TEST_F(Editing, EchoesAreColouredAndWalkedOnceSwitchedOn) {
  const std::string text =
      "She couldn't help but smile at the rain falling on the roofs of the town.\n"
      "She waited by the gate for a long while, counting carts and horses.\n"
      "She couldn't help but laugh.\n";
  FrameMain& frame = openOn(text, 0);
  const long second = static_cast<long>(text.rfind("couldn"));
  const long lastBut = static_cast<long>(text.rfind("but"));
  const long lastShe = static_cast<long>(text.rfind("She"));
  EchoesControls& echoes = frame.Settings().EchoesSection();
  ASSERT_FALSE(echoes.PhrasesBox().GetValue());
  ASSERT_FALSE(echoes.OpeningsBox().GetValue());
  ASSERT_FALSE(echoes.DistanceField().IsEnabled());

  frame.Settings().Scroll(0, frame.Settings().GetVirtualSize().y);
  wxUIActionSimulator input;
  for (wxCheckBox* box : {&echoes.PhrasesBox(), &echoes.OpeningsBox()}) {
    const wxRect area = box->GetScreenRect();
    const wxPoint middle(area.x + 8, area.y + area.height / 2);
    input.MouseMove(middle);
    ASSERT_TRUE(waitFor([&] { return wxGetMousePosition() == middle; }));
    input.MouseClick();
    ASSERT_TRUE(waitFor([&] { return box->GetValue(); }));
  }
  EXPECT_TRUE(echoes.DistanceField().IsEnabled());
  for (int id : {kIdLegendEchoPhrases, kIdLegendEchoOpenings}) {
    EXPECT_TRUE(dynamic_cast<wxCheckBox*>(wxWindow::FindWindowById(id))->GetValue())
        << "the legend follows the section";
  }

  // Back into the text, and to its start from the keyboard: a second
  // click where the first one was would select a word.
  clickAt(frame.Editor(), static_cast<long>(text.size()) - 1);
  ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
  press(WXK_HOME, wxMOD_CONTROL);
  ASSERT_TRUE(waitFor([&] { return selection() == std::pair<long, long>(0, 0); }));
  press(WXK_F5);
  const Rgb echo = classColour(HighlightClass::kEcho);
  const Rgb opening = classColour(HighlightClass::kOpening);
  ASSERT_TRUE(waitFor([&] { return colourAt(second) == echo; }));
  EXPECT_EQ(colourAt(4), echo);
  EXPECT_EQ(colourAt(lastBut), echo);
  EXPECT_EQ(colourAt(0), opening);
  EXPECT_EQ(colourAt(lastShe), opening);
  EXPECT_EQ(colourAt(lastShe + 3), kWhite);

  walkTo(true, 0, "She");
  EXPECT_EQ(status(), "sentence opening 1 of 3");
  walkTo(true, 4, "couldn't help but");
  EXPECT_EQ(status(), "phrase echo 1 of 2");

  closeFrame();
  const std::string stored = test_support::readFile(
      std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "verbolt" / "echoes.txt");
  EXPECT_EQ(stored, "phrases on\nopenings on\ndistance 3000\nwords 2 6\n");
  EXPECT_EQ(test_support::readFile("config.txt").find("echo"), std::string::npos);
  FrameMain& next = openFrame();
  EXPECT_TRUE(next.Settings().EchoesSection().PhrasesBox().GetValue());
  EXPECT_TRUE(next.Settings().Echoes().openingsActive);
}

// With phrase echoes on, F5 lists the phrases repeated most under the
// Top-100; a click on one turns its every occurrence red, F3 walks them
// whole, and a click on a word gives the phrase its colours back.
TEST_F(Editing, TopPhrasesAreListedAndAClickMarksOne) {
  const std::string text =
      "For a moment she waited. The rain kept falling on the town.\n"
      "For a moment the rain stopped, and for a moment she smiled.\n";
  FrameMain& frame = openOn(text, 0);
  EXPECT_FALSE(frame.TopPhrases().IsShown());
  // Switched on from the legend, whose switch stands for the section's.
  EchoesControls& echoes = frame.Settings().EchoesSection();
  ASSERT_FALSE(echoes.PhrasesBox().GetValue());
  auto* legendSwitch = dynamic_cast<wxCheckBox*>(wxWindow::FindWindowById(kIdLegendEchoPhrases));
  ASSERT_NE(legendSwitch, nullptr);
  ASSERT_TRUE(legendSwitch->IsShownOnScreen());
  const wxRect area = legendSwitch->GetScreenRect();
  const wxPoint middle(area.x + 8, area.y + area.height / 2);
  wxUIActionSimulator input;
  input.MouseMove(middle);
  ASSERT_TRUE(waitFor([&] { return wxGetMousePosition() == middle; }));
  input.MouseClick();
  ASSERT_TRUE(waitFor([&] { return echoes.PhrasesBox().GetValue(); }));
  EXPECT_FALSE(echoes.OpeningsBox().GetValue());
  EXPECT_TRUE(echoes.DistanceField().IsEnabled());
  clickAt(frame.Editor(), static_cast<long>(text.size()) - 1);
  ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
  press(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return !frame.Top100().GetValue().empty(); }));
  ASSERT_TRUE(waitFor([&] { return frame.TopPhrases().IsShown(); }))
      << frame.TopPhrases().GetValue() << "|" << frame.Top100().IsShown();
  EXPECT_EQ(frame.TopPhrases().GetValue(), "  3 : for a moment\n  2 : the rain\n");
  const wxRect shown = frame.TopPhrases().GetScreenRect();
  EXPECT_GT(shown.height, 2 * frame.TopPhrases().GetCharHeight()) << "both lines in view";

  clickAt(frame.TopPhrases(), 8);
  const Rgb marked = markedColour(HighlightClass::kEcho);
  const long third = static_cast<long>(text.rfind("for a moment"));
  ASSERT_TRUE(waitFor([&] { return colourAt(third + 4) == marked; }));
  EXPECT_EQ(colourAt(0), marked);
  EXPECT_EQ(colourAt(third + 6), markedColour(HighlightClass::kClose)) << "every word of it";
  EXPECT_NE(colourAt(static_cast<long>(text.find("waited"))), marked);
  // Into the empty last line, where no word is, and to the text's start
  // from the keyboard.
  clickAt(frame.Editor(), static_cast<long>(text.size()));
  ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
  EXPECT_EQ(colourAt(0), marked);
  press(WXK_HOME, wxMOD_CONTROL);
  ASSERT_TRUE(waitFor([&] { return selection() == std::pair<long, long>(0, 0); }));
  walkTo(true, 0, "For a moment");
  EXPECT_EQ(status(), "\"for a moment\": 1 of 3");
  walkTo(true, static_cast<long>(text.find('\n')) + 1, "For a moment");
  walkTo(true, third, "for a moment");
  EXPECT_EQ(status(), "\"for a moment\": 3 of 3");

  // A word marked instead: the phrase has its colours back.
  clickAt(frame.Top100(), 2);
  ASSERT_TRUE(waitFor([&] { return colourAt(third + 4) != marked; }));
  EXPECT_EQ(colourAt(third + 4), classColour(HighlightClass::kEcho));
}

TEST_F(Editing, F3WalksThroughAMarkedWordAndItsFamilyOnly) {
  openOn(kAnimals + "Les chats et le chaton.\n", 0);
  press(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return colourAt(3) == kYellow; }));
  // A click in the Top-100 pane marks the word.
  const long inPane = static_cast<long>(toCp1252(m_frame->Top100().GetValue()).find("chat"));
  clickAt(m_frame->Top100(), inPane + 1);
  ASSERT_TRUE(waitFor([&] { return m_frame->MarkedWord() == "chat"; }));
  walkTo(true, 3, "chat");
  EXPECT_EQ(status(), "\"chat\": 1 of 4");
  walkTo(true, 17, "chat");
  walkTo(true, 109, "chats");
  walkTo(true, 121, "chaton");
  EXPECT_EQ(status(), "\"chat\": 4 of 4");
  walkTo(true, 3, "chat");
  walkTo(false, 121, "chaton");
}

TEST_F(Editing, F3ScrollsTheFindingIntoView) {
  std::string text(600, '\n');
  const long far = static_cast<long>(text.size());
  text += "Au bout, un renard, un renard.\n";
  FrameMain& frame = openOn(text, 0);
  press(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return colourAt(far + 12) == kYellow; }, 5000));
  walkTo(true, far + 12, "renard");
  EXPECT_TRUE(waitFor([&] {
    const wxPoint point = frame.Editor().PositionToCoords(far + 12);
    return point != wxDefaultPosition && point.y >= 0 && point.y < frame.Editor().GetClientSize().y;
  })) << "the finding is not on screen";
}

TEST_F(Editing, WithNothingColouredF3SaysSo) {
  FrameMain& frame = openOn(kAnimals, 2);  // a click on a space marks nothing
  press(WXK_F3);
  EXPECT_TRUE(waitFor([&] { return status().StartsWith("No finding"); }));
  EXPECT_EQ(selection(), std::make_pair(2L, 2L));
  press(WXK_F7);
  EXPECT_TRUE(waitFor([&] { return status(1) == "20 words"; }));
  EXPECT_EQ(frame.GetStatusBar()->GetFieldsCount(), 2);
}

TEST_F(Editing, TheHistoryOfAFiveMegabyteTextHoldsTheEditsNotCopies) {
  std::string text;
  while (text.size() < 5u << 20) text += "Le chat dort sur le tapis rouge du salon.\n";
  FrameMain& frame = openOn(text, 2);  // a click on a space marks nothing
  EXPECT_FALSE(frame.Editor().CanUndo());
  frame.Editor().SetInsertionPoint(0);
  ASSERT_TRUE(typeAndSee("Un ", "Un Le chat"));
  EXPECT_LT(frame.Editor().History()->Bytes(), 1000u);
  // Everything deleted at once is one step that holds the text once.
  frame.Editor().SelectAll();
  press(WXK_DELETE);
  ASSERT_TRUE(waitFor([&] { return frame.Editor().GetLastPosition() == 0; }, 5000));
  EXPECT_LT(frame.Editor().History()->Bytes(), text.size() + 4096);
  ASSERT_TRUE(pressAndSee('z', wxMOD_CONTROL, "Un " + text));
}

}  // namespace

}  // namespace verbolt
