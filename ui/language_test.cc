// The window in each of its languages: every label comes from the string
// table in the language chosen at start, down to the help boxes, the
// context menu and the About box.
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include "highlight/editor_text.h"
#include "highlight/gui_test_support.h"
#include "strings/localized_text.h"
#include "ui/frame_about.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"
#include "ui/toolkit_language.h"

namespace verbolt {

namespace {

class WindowLanguage : public MainWindow, public ::testing::WithParamInterface<Language> {
 protected:
  void SetUp() override {
    setLanguage(GetParam());
    useToolkitLanguage(GetParam());
    MainWindow::SetUp();
  }
  void TearDown() override {
    MainWindow::TearDown();
    setLanguage(Language::kEnglish);
    useToolkitLanguage(Language::kEnglish);
  }

  // The text of `id` in the language under test, as the toolkit shows it.
  static wxString text(StringId id) {
    const LocalizedPair& pair = stringTable().at(id);
    return fromCp1252(GetParam() == Language::kFrench ? pair.french : pair.english);
  }

  // A real click of `button` in the middle of `window`.
  static void clickOn(wxWindow& window, int button = wxMOUSE_BTN_LEFT) {
    const wxRect area = window.GetScreenRect();
    const wxPoint middle(area.x + area.width / 2, area.y + area.height / 2);
    wxUIActionSimulator input;
    input.MouseMove(middle);
    waitFor([&] { return wxGetMousePosition() == middle; });
    input.MouseClick(button);
  }
};

TEST_P(WindowLanguage, MenusToolsSectionsAndWelcomeSpeakIt) {
  FrameMain& frame = openFrame();
  wxMenuBar& bar = *frame.GetMenuBar();
  EXPECT_EQ(bar.GetMenuLabel(0), text(kStrFileMenu));
  EXPECT_EQ(bar.GetMenuLabel(1), text(kStrEditMenu));
  EXPECT_EQ(bar.GetMenuLabel(2), text(kStrViewMenu));
  EXPECT_EQ(bar.GetMenuLabel(3), text(kStrHelp));
  EXPECT_EQ(bar.FindItem(kIdPaletteColourBlind)->GetItemLabel(), text(kStrPaletteColourBlind));
  EXPECT_EQ(bar.FindItem(kIdNextFinding)->GetItemLabel(), text(kStrNextFinding) + "\tF3");
  EXPECT_EQ(bar.FindItem(kIdQuit)->GetItemLabel(), text(kStrQuit) + "\tCtrl+Q");
  EXPECT_EQ(bar.FindItem(kIdAbout)->GetItemLabel(), text(kStrAboutItem));
  EXPECT_EQ(toolBar(kIdSettingsBar).FindById(kIdToggleSettings)->GetLabel(), text(kStrSettings));
  auto* commands = wxDynamicCast(frame.FindWindow(kIdCommandBar), wxToolBar);
  ASSERT_NE(commands, nullptr);
  EXPECT_EQ(commands->FindById(kIdProcess)->GetLabel(), text(kStrProcess));
  // A section's switch carries the id of its title.
  for (StringId section :
       {kStrSkipWords, kStrSimilarWords, kStrCloseRepetitions, kStrSearchPhrases}) {
    EXPECT_EQ(frame.FindWindow(section)->GetLabel(), text(section)) << section;
  }
  EXPECT_EQ(frame.Editor().GetValue(), text(kStrWelcome));
  // It opens at its first line, the caret before it.
  EXPECT_EQ(frame.Editor().GetInsertionPoint(), 0);
  ASSERT_TRUE(waitFor([&] { return frame.Editor().PositionToCoords(0) != wxDefaultPosition; }));
  settle();
  const wxPoint first = frame.Editor().PositionToCoords(0);
  EXPECT_GE(first.y, 0);
  EXPECT_LT(first.y, frame.Editor().GetClientSize().y / 4);
  // The first start keeps the lists the table gives in that language.
  EXPECT_EQ(listField(&AnalysisSettings::m_wordsList)->GetValue(),
            GetParam() == Language::kFrench ? wxString::FromUTF8("avait \xC3\xA9tait")
                                            : wxString("said told"));
}

TEST_P(WindowLanguage, HelpBoxContextMenuAndAboutSpeakIt) {
  FrameMain& frame = openFrame();
  clickOn(*frame.FindWindow(kHelpSame));
  ASSERT_TRUE(waitFor([] { return !messageBoxes.empty(); }));
  EXPECT_EQ(messageBoxes[0].caption, text(kStrHelpCaption) + text(kStrSimilarWords));
  EXPECT_EQ(messageBoxes[0].message, text(kStrSimilarWordsHelp));

  clickOn(frame.Editor(), wxMOUSE_BTN_RIGHT);
  ASSERT_TRUE(waitFor([] { return !poppedMenus.empty(); }));
  wxMenu& menu = *poppedMenus[0];
  EXPECT_EQ(menu.FindItem(kStrAddToSkipWords)->GetItemLabel(), text(kStrAddToSkipWords));
  EXPECT_EQ(menu.FindItem(kStrToggleHidden)->GetItemLabel(), text(kStrToggleHidden));
  EXPECT_EQ(menu.FindItem(wxID_COPY)->GetItemLabel(),
            GetParam() == Language::kFrench ? "&Copier" : "&Copy");

  FrameAbout about;
  EXPECT_EQ(about.GetTitle(), text(kStrAboutTitle));
  EXPECT_TRUE(about.FindWindow("staticText")
                  ->GetLabel()
                  .Contains(GetParam() == Language::kFrench ? "Conception : " : "Design: "));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowLanguage,
                         ::testing::Values(Language::kEnglish, Language::kFrench),
                         [](const auto& info) {
                           return info.param == Language::kFrench ? "French" : "English";
                         });

// Spelled out once, so that a table read in the wrong column shows.
TEST_F(MainWindow, AFrenchWindowSaysReglagesAndFichier) {
  setLanguage(Language::kFrench);
  FrameMain& frame = openFrame();
  EXPECT_EQ(toolBar(kIdSettingsBar).FindById(kIdToggleSettings)->GetLabel(),
            wxString::FromUTF8("R\xC3\xA9glages"));
  EXPECT_EQ(frame.GetMenuBar()->GetMenuLabelText(0), "Fichier");
  setLanguage(Language::kEnglish);
}

}  // namespace

}  // namespace verbolt
