// The kind of similar words in the window: chosen with the pointer, kept
// in the preferences file and never in config.txt, applied by Process,
// marking and hiding, and greyed with its reason without a dictionary.
#include "ui/families_choice.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include "highlight/plan/colours.h"
#include "lemma/dictionary.h"
#include "settings/configuration.h"
#include "strings/localized_text.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"

namespace verbolt {

namespace {

class SimilarWordsKind : public MainWindow {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    std::filesystem::remove(FamiliesChoice::PreferencesPath());
  }
  void TearDown() override {
    MainWindow::TearDown();
    FamiliesChoice::DictionaryFolder() = kDictionaryFolder;
    std::filesystem::remove(FamiliesChoice::PreferencesPath());
  }

  FamiliesChoice& choice() { return *&m_frame->Settings().Families(); }
  template <typename Control>
  Control& control(int id) {
    auto* found = wxDynamicCast(choice().FindWindow(id), Control);
    EXPECT_NE(found, nullptr) << id;
    return *found;
  }

  // A real click in the middle of `window`, and the events it brings.
  void clickOn(wxWindow& window) {
    const wxRect area = window.GetScreenRect();
    const wxPoint point(area.x + 8, area.y + area.height / 2);
    wxUIActionSimulator input;
    input.MouseMove(point);
    waitFor([&] { return wxGetMousePosition() == point; });
    input.MouseClick();
  }

  // Process (F5) on `text`, then the Top-100 pane.
  std::string processed(const std::string& text) {
    setText(text);
    command(kIdProcess);
    return toCp1252(m_frame->Top100().GetValue());
  }
};

const std::string kConjugations = "Nous mangeons; ils mang\xE8rent; il faut manger.";

TEST_F(SimilarWordsKind, TheDictionaryFormIsChosenWithThePointerAndKeptOutsideConfig) {
  openFrame();
  const std::string configBefore = readFile(configPath());
  EXPECT_EQ(choice().Kind(), FamilyKind::kBeginning);
  EXPECT_TRUE(control<wxRadioButton>(kStrSameBeginning).GetValue());
  EXPECT_EQ(processed(kConjugations).find("       mang\xE8rent"), std::string::npos);

  clickOn(control<wxRadioButton>(kStrSameDictionaryForm));
  ASSERT_TRUE(waitFor([&] { return choice().Kind() == FamilyKind::kLemmaFrench; }));
  EXPECT_EQ(readFile(FamiliesChoice::PreferencesPath()), "lemma-fr\n");
  EXPECT_EQ(processed(kConjugations),
            "  3 : mangeons\n       mang\xE8rent\n       manger\n  1 : faut\n  1 : nous\n");

  // The next start shows the choice; config.txt never held it.
  closeFrame();
  EXPECT_EQ(readFile(configPath()), configBefore);
  openFrame();
  EXPECT_EQ(choice().Kind(), FamilyKind::kLemmaFrench);
  EXPECT_TRUE(control<wxRadioButton>(kStrSameDictionaryForm).GetValue());
}

TEST_F(SimilarWordsKind, MarkingAndHidingFollowTheDictionaryForm) {
  openFrame();
  choice().Choose(FamilyKind::kLemmaFrench);
  const std::string text = "Il va. Nous allons. Ils iront. Une valise.";
  processed(text);
  auto at = [&text](const char* word) { return static_cast<long>(text.find(word)); };
  const Rgb valise = colourAt(at("valise"));
  EXPECT_EQ(colourAt(at("allons")), classColour(HighlightClass::kClose));

  // ALT+click on one form greys the repetitions of all, and again restores them.
  m_frame->Editor().SendWordClick(at("iront"), false, true);
  EXPECT_EQ(listField(&AnalysisSettings::m_hiddenList)->GetValue(), "iront");
  EXPECT_EQ(colourAt(at("allons")), hiddenColour(HighlightClass::kClose));
  m_frame->Editor().SendWordClick(at("iront"), false, true);
  EXPECT_EQ(colourAt(at("allons")), classColour(HighlightClass::kClose));

  m_frame->Editor().SendWordClick(at("allons"), false, false);
  EXPECT_EQ(m_frame->MarkedWord(), "allons");
  EXPECT_EQ(colourAt(at("va")), kMarkedWithoutClass);  // too short to count, not to be marked
  EXPECT_EQ(colourAt(at("allons")), markedColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(at("iront")), markedColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(at("valise")), valise);
}

TEST_F(SimilarWordsKind, AMissingDictionaryGreysTheChoiceAndSaysWhy) {
  FamiliesChoice::DictionaryFolder() = (m_dir / "no-dictionaries").string();
  std::ofstream(FamiliesChoice::PreferencesPath()) << "lemma-fr\n";
  openFrame();
  EXPECT_EQ(choice().Kind(), FamilyKind::kBeginning);
  EXPECT_FALSE(control<wxRadioButton>(kStrSameDictionaryForm).IsEnabled());
  EXPECT_TRUE(control<wxRadioButton>(kStrSameBeginning).GetValue());
  wxStaticText* reason = nullptr;
  for (wxWindow* child : choice().GetChildren()) {
    if (auto* text = dynamic_cast<wxStaticText*>(child); text && text->IsShown()) reason = text;
  }
  ASSERT_NE(reason, nullptr);
  wxString said = reason->GetLabel();
  said.Replace("\n", " ");  // wrapped to the section's width
  EXPECT_EQ(said, "No French dictionary: install the package hunspell-fr.");
  // The same beginning works as ever: manger joins mangeons, mangerent does not.
  const std::string top100 = processed(kConjugations);
  EXPECT_NE(top100.find("mangeons\n       manger\n"), std::string::npos) << top100;
  EXPECT_EQ(top100.find("mang\xE8rent\n       "), std::string::npos) << top100;
}

TEST_F(SimilarWordsKind, TheSwitchOfSimilarWordsGreysTheKindWithItsNumbers) {
  openFrame();
  wxTextCtrl& letters = *numberField(&AnalysisSettings::m_sameNbLetters);
  clickSwitch(kSwitchSame, false);
  EXPECT_FALSE(control<wxRadioButton>(kStrSameBeginning).IsEnabled());
  EXPECT_FALSE(control<wxChoice>(kStrFrenchDictionary).IsEnabled());
  clickSwitch(kSwitchSame, true);
  EXPECT_TRUE(control<wxRadioButton>(kStrSameDictionaryForm).IsEnabled());
  EXPECT_TRUE(letters.IsEnabled());

  // The numbers of the same-beginning rule do nothing for dictionary forms.
  clickOn(control<wxRadioButton>(kStrSameDictionaryForm));
  ASSERT_TRUE(waitFor([&] { return choice().Kind() == FamilyKind::kLemmaFrench; }));
  EXPECT_FALSE(letters.IsEnabled());
  EXPECT_FALSE(numberField(&AnalysisSettings::m_samePercent)->IsEnabled());
  clickSwitch(kSwitchSame, false);
  clickSwitch(kSwitchSame, true);
  EXPECT_FALSE(letters.IsEnabled());
  clickOn(control<wxRadioButton>(kStrSameBeginning));
  ASSERT_TRUE(waitFor([&] { return choice().Kind() == FamilyKind::kBeginning; }));
  EXPECT_TRUE(letters.IsEnabled());
  // Process writes the settings back into the pane, with its enabling rules.
  choice().Choose(FamilyKind::kLemmaFrench);
  command(kIdProcess);
  EXPECT_FALSE(letters.IsEnabled());
}

TEST_F(SimilarWordsKind, TheFrenchWindowNamesTheKindsInFrench) {
  setLanguage(Language::kFrench);
  openFrame();
  EXPECT_EQ(control<wxRadioButton>(kStrSameDictionaryForm).GetLabel(),
            wxString::FromUTF8("m\xC3\xAAme forme du dictionnaire"));
  EXPECT_EQ(control<wxChoice>(kStrFrenchDictionary).GetString(0), wxString::FromUTF8("fran\xC3\xA7"
                                                                                     "ais"));
  setLanguage(Language::kEnglish);
}

}  // namespace

}  // namespace verbolt
