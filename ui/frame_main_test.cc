// The main window driven as a writer would: commands go through the frame's
// event table, colours are read back from the real editor.
#include "ui/frame_main.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/gauge.h>
#include <wx/hyperlink.h>
#include <wx/scrolwin.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "analysis/analysis_pass.h"
#include "highlight/editor_text.h"
#include "highlight/gui_test_support.h"
#include "highlight/restyle.h"
#include "settings/configuration.h"
#include "strings/localized_text.h"
#include "text/words.h"
#include "ui/dialogs.h"
#include "ui/frame_about.h"
#include "ui/ids.h"
#include "ui/localized.h"
#include "ui/main_window_fixture.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

TEST_F(MainWindow, FirstStartShowsDefaultsAndWritesThemAtOnce) {
  FrameMain& frame = openFrame();
  EXPECT_EQ(readFile(configPath()), configurationText(AnalysisSettings::Defaults()));
  EXPECT_EQ(numberField(&AnalysisSettings::m_closeDistance)->GetValue(), "100");
  EXPECT_EQ(listField(&AnalysisSettings::m_skipWords)->GetValue(), "i you he she it we they");
  EXPECT_EQ(listField(&AnalysisSettings::m_phrasesList)->GetValue(),
            "example of phrase to search\nanother example");
  EXPECT_EQ(toCp1252(frame.Editor().GetValue()), LocalizedText(kStrWelcome));
  EXPECT_TRUE(frame.Top100().GetValue().empty());
  EXPECT_EQ(frame.Gauge().GetValue(), 0);
  EXPECT_TRUE(toolBar(kIdSettingsBar).GetToolState(kIdToggleSettings));
  EXPECT_TRUE(toolBar(kIdTop100Bar).GetToolState(kIdToggleTop100));
  EXPECT_TRUE(frame.Settings().IsShown());
  EXPECT_TRUE(frame.Top100().IsShown());
  EXPECT_GE(frame.GetMinSize().x, 900);
  EXPECT_GE(frame.GetMinSize().y, 500);
}

TEST_F(MainWindow, UnloadableFilesAreReplacedByDefaults) {
  for (const std::string& content :
       {std::string(), std::string("// Verbolt 2 configuration file\n"), [] {
          std::string text = configurationText(AnalysisSettings::Defaults());
          size_t line = text.find("m_distantNb");
          return text.erase(line, text.find('\n', line) + 1 - line);
        }()}) {
    std::ofstream(configPath(), std::ios::binary) << content;
    openFrame();
    EXPECT_EQ(readFile(configPath()), configurationText(AnalysisSettings::Defaults()));
    EXPECT_EQ(numberField(&AnalysisSettings::m_distantNb)->GetValue(), "6");
    closeFrame();
  }
}

TEST_F(MainWindow, StoredSettingsAreShownAndKeptAsTypedAtExit) {
  AnalysisSettings stored = AnalysisSettings::Defaults();
  stored.m_closeDistance = 1000;  // longer than its four typed characters allow
  stored.m_sameActive = 0;
  stored.m_skipWords = {"alpha", "beta"};
  SaveConfiguration(stored, configPath().string());
  FrameMain& frame = openFrame();
  EXPECT_EQ(numberField(&AnalysisSettings::m_closeDistance)->GetValue(), "1000");
  EXPECT_FALSE(wxDynamicCast(frame.FindWindow(kSwitchSame), wxCheckBox)->GetValue());
  EXPECT_EQ(listField(&AnalysisSettings::m_skipWords)->GetValue(), "alpha beta");

  numberField(&AnalysisSettings::m_closeDistance)->ChangeValue("0");
  numberField(&AnalysisSettings::m_samePercent)->ChangeValue("12ab");
  listField(&AnalysisSettings::m_hiddenList)->ChangeValue("never stored");
  closeFrame();
  std::string saved = readFile(configPath());
  EXPECT_NE(saved.find("m_closeDistance = 0\n"), std::string::npos);
  EXPECT_NE(saved.find("m_samePercent = 12\n"), std::string::npos);
  EXPECT_NE(saved.find("m_sameActive = 0\n"), std::string::npos);
  EXPECT_EQ(saved.find("never"), std::string::npos);
}

TEST_F(MainWindow, ProcessCorrectsTheNumbersAndNormalisesTheLists) {
  FrameMain& frame = openFrame();
  numberField(&AnalysisSettings::m_samePercent)->ChangeValue("150");
  numberField(&AnalysisSettings::m_distantNb)->ChangeValue("1");
  numberField(&AnalysisSettings::m_closeDistance)->ChangeValue("0");
  listField(&AnalysisSettings::m_skipWords)->ChangeValue("  Hello,  WORLD! ");
  listField(&AnalysisSettings::m_phrasesList)->ChangeValue("One Phrase\n\nTWO.");
  command(kIdProcess);
  EXPECT_EQ(numberField(&AnalysisSettings::m_samePercent)->GetValue(), "100");
  EXPECT_EQ(numberField(&AnalysisSettings::m_distantNb)->GetValue(), "2");
  EXPECT_EQ(numberField(&AnalysisSettings::m_closeDistance)->GetValue(), "1");
  EXPECT_EQ(listField(&AnalysisSettings::m_skipWords)->GetValue(), "hello world");
  EXPECT_EQ(listField(&AnalysisSettings::m_phrasesList)->GetValue(), "one phrase\ntwo");
  EXPECT_EQ(frame.Gauge().GetValue(), 0);
}

TEST_F(MainWindow, ProcessColoursTheTextAndFillsTheTop100) {
  FrameMain& frame = openFrame();
  // maison: close (255,255,140); said: searched; "un chat": phrase.
  std::string text = "Maison et maison. He said: un chat, un chat noir.";
  setText(text);
  clickSwitch(kSwitchWords, true);
  clickSwitch(kSwitchPhrases, true);
  listField(&AnalysisSettings::m_phrasesList)->ChangeValue("un chat");
  command(kIdProcess);

  EXPECT_EQ(colourAt(0), classColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(14), classColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(7), kWhite);  // "et" is skipped
  size_t said = text.find("said");
  EXPECT_EQ(colourAt(said), classColour(HighlightClass::kSearched));
  EXPECT_EQ(colourAt(said + 3), classColour(HighlightClass::kSearched));
  EXPECT_EQ(colourAt(said + 4), kWhite);  // the colon
  size_t phrase = text.find("un chat");
  EXPECT_EQ(colourAt(phrase + 2), classColour(HighlightClass::kPhrase));  // the blank inside
  // "chat" twice within 100 letters: close beats phrase.
  EXPECT_EQ(colourAt(phrase + 3), classColour(HighlightClass::kClose));

  AnalysisSettings settings = frame.ReadSettingsFromPane();
  std::string expected = analyzeText(lowercaseText(text), settings).report;
  EXPECT_EQ(toCp1252(frame.Top100().GetValue()), expected);
  EXPECT_NE(expected.find("  2 : chat\n"), std::string::npos);
}

TEST_F(MainWindow, CloseBeatsDistantBeatsSearchedAndHiddenWordsTurnGrey) {
  FrameMain& frame = openFrame();
  numberField(&AnalysisSettings::m_distantNb)->ChangeValue("2");
  numberField(&AnalysisSettings::m_closeDistance)->ChangeValue("10");
  clickSwitch(kSwitchWords, true);
  listField(&AnalysisSettings::m_wordsList)->ChangeValue("beta gamma");
  // alpha: 2 within 1500 but 15 apart: distant. beta: close and searched.
  // gamma: searched only. delta: close, then hidden.
  std::string text = "alpha beta beta gamma alpha delta delta";
  setText(text);
  listField(&AnalysisSettings::m_hiddenList)->ChangeValue("Delta");
  command(kIdProcess);
  EXPECT_EQ(colourAt(1), classColour(HighlightClass::kDistant));
  EXPECT_EQ(colourAt(7), classColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(12), classColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(17), classColour(HighlightClass::kSearched));
  EXPECT_EQ(colourAt(text.find("delta")), hiddenColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(text.size() - 1), hiddenColour(HighlightClass::kClose));
  EXPECT_EQ(listField(&AnalysisSettings::m_hiddenList)->GetValue(), "delta");
  (void)frame;
}

TEST_F(MainWindow, ProcessTwiceGivesTheSameResultAndKeepsTheScroll) {
  FrameMain& frame = openFrame();
  std::string text;
  for (int line = 0; line < 400; ++line)
    text += "Line " + std::to_string(line) + " of words words.\n";
  setText(text);
  frame.Editor().ShowPosition(text.size() / 2);
  ASSERT_TRUE(waitFor([&] { return frame.Editor().GetScrollPos(wxVERTICAL) > 0; }));
  settle();
  int scroll = frame.Editor().GetScrollPos(wxVERTICAL);
  command(kIdProcess);
  wxString firstReport = frame.Top100().GetValue();
  Rgb firstColour = colourAt(text.find("words"));
  command(kIdProcess);
  settle();
  EXPECT_EQ(frame.Top100().GetValue(), firstReport);
  EXPECT_EQ(colourAt(text.find("words")), firstColour);
  EXPECT_EQ(firstColour, classColour(HighlightClass::kClose));
  EXPECT_EQ(frame.Editor().GetScrollPos(wxVERTICAL), scroll);
}

TEST_F(MainWindow, ClearWhitensTheTextButKeepsTheTop100) {
  FrameMain& frame = openFrame();
  setText("chat chat");
  command(kIdProcess);
  ASSERT_EQ(colourAt(0), classColour(HighlightClass::kClose));
  wxString report = frame.Top100().GetValue();
  command(kIdClear);
  for (long i = 0; i < 9; ++i) EXPECT_EQ(colourAt(i), kWhite) << i;
  EXPECT_EQ(frame.Top100().GetValue(), report);
}

TEST_F(MainWindow, EmptyEditorProcessesToNothing) {
  FrameMain& frame = openFrame();
  setText("");
  command(kIdProcess);
  EXPECT_TRUE(frame.Top100().GetValue().empty());
  EXPECT_EQ(frame.Gauge().GetValue(), 0);
}

TEST_F(MainWindow, SwitchesEnableTheirSectionAndProcessHonoursThem) {
  FrameMain& frame = openFrame();
  wxTextCtrl* skipMin = numberField(&AnalysisSettings::m_skipNbLettersMin);
  wxTextCtrl* skipList = listField(&AnalysisSettings::m_skipWords);
  ASSERT_TRUE(skipMin->IsEnabled());
  clickSwitch(kSwitchSkip, false);
  EXPECT_FALSE(skipMin->IsEnabled());
  EXPECT_FALSE(skipList->IsEnabled());
  EXPECT_TRUE(frame.FindWindow(kSwitchSkip)->IsEnabled());
  EXPECT_TRUE(frame.FindWindow(kHelpSkip)->IsEnabled());
  EXPECT_EQ(skipList->GetValue(), "i you he she it we they");
  clickSwitch(kSwitchSkip, true);
  EXPECT_TRUE(skipMin->IsEnabled());

  // Words to search start switched off: their fields are grey.
  EXPECT_FALSE(listField(&AnalysisSettings::m_wordsList)->IsEnabled());
  clickSwitch(kSwitchClose, false);
  EXPECT_FALSE(numberField(&AnalysisSettings::m_closeDistance)->IsEnabled());
  setText("chat chat");
  command(kIdProcess);
  EXPECT_EQ(colourAt(0), kWhite);
  EXPECT_FALSE(numberField(&AnalysisSettings::m_closeDistance)->IsEnabled());
}

TEST_F(MainWindow, HidingThePanesKeepsTheirValues) {
  FrameMain& frame = openFrame();
  numberField(&AnalysisSettings::m_closeDistance)->ChangeValue("50");
  toolBar(kIdSettingsBar).ToggleTool(kIdToggleSettings, false);
  command(kIdToggleSettings);
  EXPECT_FALSE(frame.Settings().IsShown());
  toolBar(kIdTop100Bar).ToggleTool(kIdToggleTop100, false);
  command(kIdToggleTop100);
  EXPECT_FALSE(frame.Top100().IsShown());
  EXPECT_TRUE(frame.FindWindow(kSwitchClose)->IsShown());  // the legend stays

  setText("chat 12345678901234567890123456789012345678901234567890 chat");
  command(kIdProcess);  // still reads the hidden pane: 55 apart is beyond 50
  EXPECT_EQ(colourAt(0), kWhite);

  toolBar(kIdSettingsBar).ToggleTool(kIdToggleSettings, true);
  command(kIdToggleSettings);
  EXPECT_TRUE(frame.Settings().IsShown());
  EXPECT_EQ(numberField(&AnalysisSettings::m_closeDistance)->GetValue(), "50");
}

TEST_F(MainWindow, StatsCountWordsAndLetters) {
  FrameMain& frame = openFrame();
  setText("a b\n");
  command(kIdStats);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].message,
            "2 words\n2 letters (excluding spaces)\n3 letters (including spaces)");
  EXPECT_EQ(messageBoxes[0].caption, "Text information");
  EXPECT_EQ(messageBoxes[0].parent, &frame);
  EXPECT_TRUE(messageBoxes[0].style & wxICON_INFORMATION);
  EXPECT_TRUE(messageBoxes[0].style & wxSTAY_ON_TOP);

  setText(std::string(10, ' '));
  command(kIdStats);
  EXPECT_EQ(messageBoxes[1].message,
            "1 words\n0 letters (excluding spaces)\n10 letters (including spaces)");
}

TEST_F(MainWindow, SectionHelpShowsItsTextUnderItsTitle) {
  FrameMain& frame = openFrame();
  wxCommandEvent click(wxEVT_BUTTON, kHelpHidden);
  click.SetEventObject(frame.FindWindow(kHelpHidden));
  frame.FindWindow(kHelpHidden)->GetEventHandler()->ProcessEvent(click);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].caption, "Help : Temporary hidden repetitions");
  EXPECT_EQ(messageBoxes[0].message, localized(kStrHiddenRepetitionsHelp));
  EXPECT_EQ(messageBoxes[0].parent, nullptr);
  EXPECT_TRUE(messageBoxes[0].style & wxICON_QUESTION);
}

TEST_F(MainWindow, HelpAndAboutReachTheSite) {
  openFrame();
  command(kIdHelp);
  ASSERT_EQ(browserAddresses.size(), 1u);
  EXPECT_EQ(browserAddresses[0], localized(kStrHelpAddress));
  EXPECT_TRUE(browserAddresses[0].EndsWith("?p=help"));
  command(kIdAbout);
  ASSERT_EQ(modalTitles.size(), 1u);
  EXPECT_EQ(modalTitles[0], "About...");
}

TEST(AboutBox, ShowsTheVersionOnItsThirdLineAndLinksTheSite) {
  FrameAbout about;
  wxWindow* text = about.FindWindow("staticText");
  ASSERT_NE(text, nullptr);
  wxString label = text->GetLabel();
  EXPECT_EQ(label.BeforeFirst('\n'), "");
  EXPECT_EQ(label.AfterFirst('\n').AfterFirst('\n').BeforeFirst('\n'), "v2.029");
  auto* link = wxDynamicCast(about.FindWindow("hyperlink"), wxHyperlinkCtrl);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->GetURL(), link->GetLabel());
  EXPECT_EQ(link->GetURL(), localized(kStrSiteAddress));
}

// The box closes from the keyboard, and from its Close button.
TEST(AboutBox, EscapeOrItsCloseButtonClosesIt) {
  for (bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Escape" : "Close button");
    FrameAbout about;
    ASSERT_TRUE(showOnScreen(about));
    wxWindow* close = about.FindWindow(wxID_CLOSE);
    ASSERT_NE(close, nullptr);
    ASSERT_TRUE(close->IsShown());
    about.Raise();
    if (escape) {
      about.SetFocus();
      ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() != nullptr; }));
      wxUIActionSimulator().Char(WXK_ESCAPE);
    } else {
      const wxRect area = close->GetScreenRect();
      const wxPoint middle(area.x + area.width / 2, area.y + area.height / 2);
      wxUIActionSimulator input;
      input.MouseMove(middle);
      waitFor([&] { return wxGetMousePosition() == middle; });
      input.MouseClick();
    }
    EXPECT_TRUE(waitFor([&] { return !about.IsShown(); }));
  }
}

}  // namespace

}  // namespace verbolt
