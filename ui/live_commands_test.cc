// Colour as you type, as the writer meets it: F8, the typing, the marks,
// and colours equal to F5's after any sequence of edits.
#include <wx/checkbox.h>
#include <wx/menu.h>

#include <random>
#include <string>
#include <vector>

#include "highlight/background_map.h"
#include "highlight/known_backgrounds.h"
#include "highlight/plan/colours.h"
#include "lemma/family_kind.h"
#include "ui/echoes_controls.h"
#include "ui/families_choice.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"

namespace verbolt {

namespace {

constexpr Rgb kClose = classColour(HighlightClass::kClose);

std::vector<ColourRun> shownColours(wxTextCtrl& editor) {
  return readBackgroundRuns(editor, 0, editor.GetLastPosition());
}

class ColourAsYouType : public WriterAtKeyboard {
 protected:
  bool coloured() {
    return waitFor([&] { return !m_frame->ColoursDue(); });
  }
  std::string storedPreference() {
    return readFile(fs::path(std::getenv("XDG_CONFIG_HOME")) / "verbolt" /
                    "colour-as-you-type.txt");
  }
  // F5's colours, Top-100 and count are those that the typing left.
  void expectF5ChangesNothing() {
    const std::vector<ColourRun> live = shownColours(m_frame->Editor());
    const wxString top100 = m_frame->Top100().GetValue();
    const wxString count = m_frame->GetStatusBar()->GetStatusText(1);
    command(kIdProcess);
    EXPECT_EQ(shownColours(m_frame->Editor()), live);
    EXPECT_EQ(m_frame->Top100().GetValue(), top100);
    EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(1), count);
  }
};

TEST_F(ColourAsYouType, F8ColoursAtOnceThenTheTypedRepetitionTurnsYellow) {
  // The click that gives the editor the keyboard lands past the last word.
  FrameMain& frame = openOn("Le jardin dort. La maison aussi.\n", 33);
  EXPECT_FALSE(frame.ColoursAsYouType());
  press(WXK_F8);
  ASSERT_TRUE(waitFor([&] { return frame.ColoursAsYouType(); }));
  EXPECT_TRUE(toolBar(kIdCommandBar).GetToolState(kIdColourAsYouType));
  EXPECT_TRUE(frame.GetMenuBar()->IsChecked(kIdColourAsYouType));
  EXPECT_EQ(storedPreference(), "on\n");
  ASSERT_TRUE(coloured());
  EXPECT_EQ(colourAt(4), kWhite);

  frame.Editor().SetInsertionPointEnd();
  ASSERT_TRUE(typeAndSee("Un jardin", "Un jardin"));
  // The first "jardin" turns yellow with its repetition, before any F5.
  EXPECT_TRUE(waitFor([&] { return colourAt(4) == kClose; }));
  EXPECT_EQ(colourAt(at("jardin") + 1), kClose);
  ASSERT_TRUE(typeAndSee(" sous la pluie.", "pluie."));
  ASSERT_TRUE(coloured());
  expectF5ChangesNothing();

  // Off: the colours stay as they are while the typing goes on.
  press(WXK_F8);
  ASSERT_TRUE(waitFor([&] { return !frame.ColoursAsYouType(); }));
  EXPECT_EQ(storedPreference(), "off\n");
  ASSERT_TRUE(typeAndSee(" La maison", "La maison"));
  settle();
  EXPECT_EQ(colourAt(at("maison") + 1), kWhite);
  EXPECT_EQ(colourAt(4), kClose);
}

// Undo and redo change the text as typing does: the colours follow.
// The keys typed leave the colours kept for the text known, in every
// palette: read back from a novel at each key, they would cost a frame
// several times over.
TEST_F(ColourAsYouType, TypingLeavesTheKeptColoursKnownInEveryPalette) {
  FrameMain& frame = openOn("Le jardin dort. La maison aussi. Le jardin.\n", 43);
  for (int palette : {kIdPaletteStandard, kIdPaletteDark}) {
    command(palette);
    command(kIdProcess);
    ASSERT_NE(knownBackgrounds(frame.Editor()), nullptr);
    frame.Editor().SetInsertionPointEnd();
    ASSERT_TRUE(typeAndSee(" Un chat", "Un chat"));
    const std::vector<ColourRun>* kept = knownBackgrounds(frame.Editor());
    ASSERT_NE(kept, nullptr) << "palette " << palette;
    EXPECT_EQ(*kept, shownColours(frame.Editor()));
  }
  // The palette is the program's: the next test must not start in the dark.
  command(kIdPaletteStandard);
}

TEST_F(ColourAsYouType, UndoAndRedoRecolourToo) {
  FrameMain& frame = openOn("Le jardin dort.\n", 16);
  command(kIdColourAsYouType);
  ASSERT_TRUE(coloured());
  ASSERT_TRUE(typeAndSee("Un jardin ", "Un jardin "));
  ASSERT_TRUE(coloured());
  ASSERT_TRUE(waitFor([&] { return colourAt(4) == kClose; }));
  press('Z', wxMOD_CONTROL);
  ASSERT_TRUE(waitFor([&] { return editorText().find("Un jardin") == std::string::npos; }));
  ASSERT_TRUE(coloured());
  EXPECT_TRUE(waitFor([&] { return colourAt(4) == kWhite; }));
  expectF5ChangesNothing();
  press('Z', wxMOD_CONTROL | wxMOD_SHIFT);
  ASSERT_TRUE(waitFor([&] { return editorText().find("Un jardin") != std::string::npos; }));
  ASSERT_TRUE(coloured());
  EXPECT_TRUE(waitFor([&] { return colourAt(4) == kClose; }));
  expectF5ChangesNothing();
  (void)frame;
}

TEST_F(ColourAsYouType, TheSettingIsKeptForTheNextStart) {
  FrameMain& frame = openOn("Le jardin, le jardin.\n", 22);
  command(kIdColourAsYouType);
  ASSERT_TRUE(coloured());
  EXPECT_EQ(colourAt(4), kClose);
  closeFrame();
  FrameMain& again = openFrame();
  EXPECT_TRUE(again.ColoursAsYouType());
  EXPECT_TRUE(toolBar(kIdCommandBar).GetToolState(kIdColourAsYouType));
  (void)frame;
}

TEST_F(ColourAsYouType, AMarkedWordStaysMarkedAndItsNewOccurrencesTurnRed) {
  FrameMain& frame = openOn("Le jardin dort, le jardin aussi.\n", 0);
  command(kIdColourAsYouType);
  ASSERT_TRUE(coloured());
  clickAt(frame.Editor(), 5);
  ASSERT_EQ(frame.MarkedWord(), "jardin");
  EXPECT_EQ(colourAt(4), markedColour(HighlightClass::kClose));
  clickAt(frame.Editor(), frame.Editor().GetLastPosition());
  ASSERT_TRUE(typeAndSee("Mon jardin", "Mon jardin"));
  ASSERT_TRUE(coloured());
  EXPECT_TRUE(waitFor([&] { return colourAt(at("jardin") + 1) != kWhite; }));
  // Close to the one before it, it keeps the close class in its red.
  EXPECT_EQ(colourAt(at("jardin") + 1), markedColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(4), markedColour(HighlightClass::kClose));
  EXPECT_EQ(frame.MarkedWord(), "jardin");
  // CTRL+click skips the word: with the colours following, it loses them.
  clickAt(frame.Editor(), 5, kControl);
  ASSERT_TRUE(coloured());
  EXPECT_EQ(colourAt(4), kMarkedWithoutClass);
  frame.Editor().SetInsertionPointEnd();
  ASSERT_TRUE(typeAndSee(" la maison", "la maison"));
  ASSERT_TRUE(coloured());
  EXPECT_EQ(colourAt(11), kWhite) << "dort";
}

// Both echoes' boxes ticked or not, as a click would leave them.
void switchEchoes(FrameMain& frame, bool on) {
  EchoesControls& echoes = frame.Settings().EchoesSection();
  for (wxCheckBox* box : {&echoes.PhrasesBox(), &echoes.OpeningsBox()}) {
    box->SetValue(on);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(on ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(event);
  }
}

// The words come from a small stock of families, so that edits make and
// break repetitions of every kind, near and far.
std::string randomPiece(std::mt19937& random, int words) {
  static const char* const kStock[] = {"maison", "maisons", "jardin", "jardins", "porte",  "portes",
                                       "chat",   "chats",   "le",     "la",      "un",     "dort",
                                       "mange",  "vite",    "grand",  "grande",  "l'homme"};
  static const char* const kBetween[] = {" ", " ", " ", ", ", ". ", "\n", "! ", " \xAB "};
  std::string piece;
  for (int i = 0; i < words; ++i) {
    piece += kStock[random() % std::size(kStock)];
    piece += kBetween[random() % std::size(kBetween)];
  }
  return piece;
}

// After every insertion, deletion and paste, wherever it falls, the
// colours shown are those that F5 then gives; the colours kept in memory
// are those the editor shows.
TEST_F(ColourAsYouType, AfterAnyEditTheColoursAreF5s) {
  FrameMain& frame = openFrame();
  std::mt19937 random(20261209);
  struct Family {
    const char* name;
    void (*adjust)(AnalysisSettings&);
    // What the settings above do not hold: the echoes and the families'
    // kind have their own controls. False where the machine cannot.
    bool (*prepare)(FrameMain&) = [](FrameMain&) { return true; };
    // Long enough next to the distances, a key is analysed again only
    // over the stretch it reaches.
    int words = 60;
  };
  const Family families[] = {
      {"similar words", [](AnalysisSettings& s) { s.m_sameActive = 1; }},
      {"no similar words", [](AnalysisSettings& s) { s.m_sameActive = 0; }},
      {"searches",
       [](AnalysisSettings& s) {
         s.m_wordsActive = 1;
         s.m_wordsList = {"porte", "vite"};
         s.m_phrasesActive = 1;
         s.m_phrasesList = {"le chat", "la maison"};
       }},
      {"hidden and distant",
       [](AnalysisSettings& s) {
         s.m_distantActive = 1;
         s.m_distantNb = 3;
         s.m_closeDistance = 40;
         s.m_hiddenList = {"chat"};
       }},
      {"echoes", [](AnalysisSettings&) {},
       [](FrameMain& frame) {
         switchEchoes(frame, true);
         return true;
       }},
      {"dictionary forms", [](AnalysisSettings& s) { s.m_sameActive = 1; },
       [](FrameMain& frame) {
         frame.Settings().Families().Choose(FamilyKind::kLemmaFrench);
         return frame.Settings().Families().Kind() == FamilyKind::kLemmaFrench;
       }},
      {"a stretch at a time",
       [](AnalysisSettings& s) {
         s.m_sameActive = 1;
         s.m_closeDistance = 30;
         s.m_distantActive = 1;
         s.m_distantNb = 3;
         s.m_distantDistance = 80;
         s.m_hiddenList = {"porte"};
         s.m_phrasesActive = 0;
       },
       [](FrameMain& frame) {
         // The echoes and the dictionary forms reach further: with them on
         // every key analyses the whole text.
         switchEchoes(frame, false);
         frame.Settings().Families().Choose(FamilyKind::kBeginning);
         return true;
       },
       700},
  };
  command(kIdColourAsYouType);
  for (const Family& family : families) {
    SCOPED_TRACE(family.name);
    AnalysisSettings settings = frame.ReadSettingsFromPane();
    family.adjust(settings);
    frame.WriteSettingsToPane(settings);
    if (!family.prepare(frame)) continue;
    setText(randomPiece(random, family.words));
    frame.Editor().SetValue(frame.Editor().GetValue() + " ");
    ASSERT_TRUE(coloured());
    for (int step = 0; step < 25; ++step) {
      wxTextCtrl& editor = frame.Editor();
      const long length = editor.GetLastPosition();
      const long from = random() % 5 == 0 ? (random() % 2 ? 0 : length)
                                          : static_cast<long>(random() % (length + 1));
      const long to = std::min(length, from + static_cast<long>(random() % 30));
      switch (random() % 3) {
        case 0:
          editor.Replace(from, from, fromCp1252(randomPiece(random, 1 + random() % 3)));
          break;
        case 1:
          editor.Remove(from, to);
          break;
        default:
          editor.Replace(from, to, fromCp1252(randomPiece(random, 1 + random() % 25)));
          break;
      }
      ASSERT_TRUE(coloured()) << step;
      const std::vector<ColourRun> live = shownColours(editor);
      if (const std::vector<ColourRun>* kept = knownBackgrounds(editor)) {
        ASSERT_EQ(*kept, live) << "step " << step;
      }
      const wxString top100 = frame.Top100().GetValue();
      const wxString topPhrases = frame.TopPhrases().GetValue();
      command(kIdProcess);
      ASSERT_EQ(shownColours(editor), live)
          << "step " << step << " in \"" << toCp1252(editor.GetValue()) << "\"";
      ASSERT_EQ(frame.Top100().GetValue(), top100) << "step " << step;
      ASSERT_EQ(frame.TopPhrases().GetValue(), topPhrases) << "step " << step;
    }
  }
}

// The dictionary form's families, where the machine has the dictionary.
TEST_F(ColourAsYouType, DictionaryFamiliesFollowTheTypingToo) {
  FrameMain& frame = openOn("The children went home. A child goes.\n", 38);
  frame.Settings().Families().Choose(FamilyKind::kLemmaEnglish);
  if (frame.Settings().Families().Kind() != FamilyKind::kLemmaEnglish) {
    GTEST_SKIP() << "no English dictionary on this machine";
  }
  AnalysisSettings settings = frame.ReadSettingsFromPane();
  settings.m_sameActive = 1;
  frame.WriteSettingsToPane(settings);
  command(kIdColourAsYouType);
  ASSERT_TRUE(coloured());
  frame.Editor().SetInsertionPointEnd();
  ASSERT_TRUE(typeAndSee("The child goes.", "The child goes."));
  ASSERT_TRUE(coloured());
  expectF5ChangesNothing();
}

}  // namespace

}  // namespace verbolt
