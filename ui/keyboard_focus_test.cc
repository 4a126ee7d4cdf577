// The keyboard through a working session: real key presses and clicks,
// as a writer makes them, before and after every command that recolours.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <string>

#include "highlight/gui_test_support.h"
#include "highlight/plan/colours.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

const Rgb kYellow = classColour(HighlightClass::kClose);

class Keyboard : public WriterAtKeyboard {
 protected:
  // The screen point of the middle of a toolbar tool. wx cannot tell where
  // a tool sits on GTK; the bar's own item can.
  wxPoint toolPoint(wxToolBar& bar, int toolId) {
    GtkToolItem* item = gtk_toolbar_get_nth_item(bar.GTKGetToolbar(), bar.GetToolPos(toolId));
    if (!item) {
      ADD_FAILURE() << "no tool " << toolId;
      return {};
    }
    GtkAllocation box;
    gtk_widget_get_allocation(GTK_WIDGET(item), &box);
    int x = 0;
    int y = 0;
    gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(item)), &x, &y);
    return {x + box.x + box.width / 2, y + box.y + box.height / 2};
  }
};

TEST_F(Keyboard, TypingAndTheFunctionKeysGoOnAfterEveryCommand) {
  FrameMain& frame = openOn("Un chat noir. Un chat blanc.\n", 0);
  ASSERT_TRUE(typeAndSee("Le ", "Le Un chat"));

  press(WXK_F5);
  ASSERT_TRUE(
      waitFor([&] { return colourAt(at("blanc")) == kWhite && colourAt(at("chat")) == kYellow; }));
  EXPECT_EQ(wxWindow::FindFocus(), &frame.Editor());
  EXPECT_TRUE(typeAndSee("xyz", "Le xyzUn chat"));

  // F7 straight after F5, then F6, then F5 again: none is lost.
  press(WXK_F7);
  EXPECT_TRUE(waitFor([] { return messageBoxes.size() == 1; }));
  press(WXK_F6);
  EXPECT_TRUE(waitFor([&] { return colourAt(at("chat")) == kWhite; }));
  EXPECT_TRUE(typeAndSee("!", "Le xyz!Un chat"));
  press(WXK_F5);
  EXPECT_TRUE(waitFor([&] { return colourAt(at("chat")) == kYellow; }));
  EXPECT_TRUE(typeAndSee("?", "Le xyz!?Un chat"));
}

TEST_F(Keyboard, ASelectionMadeBeforeProcessIsStillTheSelectionAfter) {
  const std::string text = "Le chien et le chien.\n";
  FrameMain& frame = openOn(text, 14);
  press(WXK_LEFT, wxMOD_SHIFT);
  press(WXK_LEFT, wxMOD_SHIFT);
  ASSERT_TRUE(waitFor([&] {
    long from = 0, to = 0;
    frame.Editor().GetSelection(&from, &to);
    return from == 12 && to == 14;
  }));
  press(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return colourAt(text.find("chien")) == kYellow; }));
  long from = 0, to = 0;
  frame.Editor().GetSelection(&from, &to);
  EXPECT_EQ(from, 12);
  EXPECT_EQ(to, 14);
  // The selection is replaced by what is typed, as before the command.
  EXPECT_TRUE(typeAndSee("X", "et X chien"));
}

TEST_F(Keyboard, TheToolbarTheContextMenuAndClicksLeaveTheKeyboardInTheEditor) {
  const std::string text = "Le chien et le chien. Un chat, un chat.\n";
  FrameMain& frame = openOn(text, 0);

  // Process from the toolbar, with the pointer.
  wxUIActionSimulator input;
  input.MouseMove(
      toolPoint(*wxDynamicCast(frame.FindWindow(kIdCommandBar), wxToolBar), kIdProcess));
  ASSERT_TRUE(waitFor([] { return true; }, 0));
  input.MouseClick();
  ASSERT_TRUE(waitFor([&] { return colourAt(text.find("chien")) == kYellow; }));
  // The button takes no keyboard: the editor keeps it.
  EXPECT_TRUE(typeAndSee("a", "aLe chien"));

  // The context menu's hidden-repetitions item, chosen at the caret.
  frame.Editor().SetInsertionPoint(at("chat") + 1);
  press(WXK_MENU);
  ASSERT_TRUE(waitFor([] { return !poppedMenus.empty(); }));
  wxCommandEvent hide(wxEVT_MENU, kStrToggleHidden);
  frame.Editor().GetEventHandler()->ProcessEvent(hide);
  EXPECT_EQ(colourAt(at("chat") + 1), hiddenColour(HighlightClass::kClose));
  EXPECT_EQ(wxWindow::FindFocus(), &frame.Editor());
  EXPECT_TRUE(typeAndSee("b", "cbhat"));

  // A click that marks a word, then keys.
  const long chien = at("chien");
  clickAt(frame.Editor(), chien + 2);
  ASSERT_EQ(frame.MarkedWord(), "chien");
  EXPECT_TRUE(typeAndSee("c", "chcien"));
  press(WXK_F5);
  EXPECT_TRUE(waitFor([&] { return frame.MarkedWord().empty(); }));
  EXPECT_TRUE(typeAndSee("d", "chcdien"));
}

// The Top-100 is a report: it takes the keyboard to be selected and
// clicked, never a letter.
TEST_F(Keyboard, TheTop100TakesNoTyping) {
  const std::string text = "Le chien et le chien. Un chat, un chat.\n";
  FrameMain& frame = openOn(text, 0);
  press(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return !frame.Top100().GetValue().empty(); }));
  const wxString report = frame.Top100().GetValue();
  const long chat = static_cast<long>(report.find("chat"));
  clickAt(frame.Top100(), chat + 1);
  ASSERT_EQ(frame.MarkedWord(), "chat");
  ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Top100(); }));
  wxUIActionSimulator().Text("xy");
  press(WXK_BACK);
  press(WXK_DELETE);
  settle();
  EXPECT_EQ(frame.Top100().GetValue(), report);
  EXPECT_EQ(editorText(), text);
  // Still a report to copy from.
  frame.Top100().SetSelection(chat, chat + 4);
  EXPECT_EQ(frame.Top100().GetStringSelection(), "chat");
}

}  // namespace

}  // namespace verbolt
