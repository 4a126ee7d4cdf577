// The settings pane as the record's view: what it is given it shows and
// gives back, and the legend's switches, clicked, govern its sections.
#include "ui/settings_pane.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/uiaction.h>

#include "settings/configuration.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"

namespace verbolt {

namespace {

// Every field and switch away from its default.
AnalysisSettings unusualSettings() {
  AnalysisSettings s;
  s.m_skipActive = 0;
  s.m_skipNbLettersMin = 3;
  s.m_skipNbLettersMax = 1000;  // more than the field's two typed characters
  s.m_skipWords = {"alpha", "beta"};
  s.m_sameActive = 1;
  s.m_sameNbLetters = 7;
  s.m_samePercent = 55;
  s.m_closeActive = 0;
  s.m_closeDistance = 321;
  s.m_distantActive = 1;
  s.m_distantNb = 9;
  s.m_distantDistance = 54321;
  s.m_wordsActive = 1;
  s.m_wordsLetterMin = 2;
  s.m_wordsLetterMax = 11;
  s.m_wordsList = {"gamma"};
  s.m_wordsPartsList = {"ment", "ique"};
  s.m_phrasesActive = 0;
  s.m_phrasesList = {"un jour", "il y a"};
  s.m_hiddenList = {"delta"};
  return s;
}

TEST_F(MainWindow, ThePaneGivesBackTheSettingsItShows) {
  FrameMain& frame = openFrame();
  SettingsPane& pane = frame.Settings();
  const AnalysisSettings shown = unusualSettings();
  pane.Write(shown);
  const AnalysisSettings read = pane.Read();
  EXPECT_EQ(configurationText(read), configurationText(shown));
  EXPECT_EQ(read.m_hiddenList, shown.m_hiddenList);
  EXPECT_FALSE(numberField(&AnalysisSettings::m_closeDistance)->IsEnabled());
  EXPECT_TRUE(numberField(&AnalysisSettings::m_distantDistance)->IsEnabled());
  EXPECT_FALSE(listField(&AnalysisSettings::m_skipWords)->IsEnabled());
  EXPECT_FALSE(listField(&AnalysisSettings::m_phrasesList)->IsEnabled());

  pane.Write(AnalysisSettings::Defaults());
  EXPECT_EQ(configurationText(pane.Read()), configurationText(AnalysisSettings::Defaults()));
}

TEST_F(MainWindow, ALegendSwitchClickedTurnsItsSectionOffAndOn) {
  FrameMain& frame = openFrame();
  frame.Raise();
  auto* close = wxDynamicCast(frame.FindWindow(kSwitchClose), wxCheckBox);
  ASSERT_NE(close, nullptr);
  wxTextCtrl* distance = numberField(&AnalysisSettings::m_closeDistance);
  ASSERT_TRUE(close->GetValue());
  ASSERT_TRUE(distance->IsEnabled());

  const wxRect area = close->GetScreenRect();
  const wxPoint middle(area.x + area.width / 2, area.y + area.height / 2);
  wxUIActionSimulator input;
  input.MouseMove(middle);
  ASSERT_TRUE(waitFor([&] { return wxGetMousePosition() == middle; }));
  input.MouseClick();
  EXPECT_TRUE(waitFor([&] { return !close->GetValue() && !distance->IsEnabled(); }));
  EXPECT_EQ(frame.Settings().Read().m_closeActive, 0);

  input.MouseClick();
  EXPECT_TRUE(waitFor([&] { return close->GetValue() && distance->IsEnabled(); }));
  EXPECT_EQ(frame.Settings().Read().m_closeActive, 1);
}

// Scrolled to its end, the pane shows its last section whole, whatever
// the window's size down to its smallest and whichever sections are on.
TEST_F(MainWindow, ThePaneScrollsToItsLastSectionAtEverySize) {
  FrameMain& frame = openFrame();
  SettingsPane& pane = frame.Settings();
  const int switches[] = {kSwitchSkip,    kSwitchSame,  kSwitchClose,
                          kSwitchDistant, kSwitchWords, kSwitchPhrases};
  for (wxSize size : {frame.GetMinSize(), wxSize(900, 600), wxSize(980, 730)}) {
    frame.SetSize(size);
    for (int states = 0; states < 1 << 6; ++states) {
      for (int i = 0; i < 6; ++i) clickSwitch(switches[i], (states >> i) & 1);
      frame.Layout();
      pane.Scroll(0, pane.GetVirtualSize().y);
      // The lowest control of the pane, in the pane's own coordinates.
      wxWindow* lowest = nullptr;
      for (wxWindow* child : pane.GetChildren()) {
        if (!lowest || child->GetRect().GetBottom() > lowest->GetRect().GetBottom()) {
          lowest = child;
        }
      }
      ASSERT_NE(lowest, nullptr);
      SCOPED_TRACE(testing::Message() << size.x << "x" << size.y << ", switches " << states
                                      << ", lowest \"" << lowest->GetLabel() << "\"");
      EXPECT_GE(lowest->GetRect().GetTop(), 0);
      EXPECT_LE(lowest->GetRect().GetBottom(), pane.GetClientSize().y);
    }
  }
}

}  // namespace

}  // namespace verbolt
