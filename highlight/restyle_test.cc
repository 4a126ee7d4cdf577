#include "highlight/restyle.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "analysis/analysis_pass.h"
#include "highlight/background_tags.h"
#include "highlight/gui_test_support.h"
#include "highlight/plan/paint_plan.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr Rgb kPhrase = classColour(HighlightClass::kPhrase);
constexpr Rgb kSearched = classColour(HighlightClass::kSearched);
constexpr Rgb kDistant = classColour(HighlightClass::kDistant);
constexpr Rgb kClose = classColour(HighlightClass::kClose);

wxTextAttr background(Rgb colour) {
  wxTextAttr attr;
  attr.SetBackgroundColour(toWxColour(colour));
  return attr;
}

AnalysisSettings hiding(WordList hidden) {
  AnalysisSettings settings;
  settings.m_hiddenList = std::move(hidden);
  return settings;
}

class Restyle : public testing::Test {
 protected:
  wxTextCtrl& editor() { return m_window.editor(); }

  Rgb wordColour(long start, long end) { return WordColours(editor()).of(start, end); }

  // Loads `text` and returns it lowered, as an analysis run sees it.
  std::string load(const std::string& text) {
    m_window.setText(text);
    return lowercaseText(text);
  }

  void highlight(const std::string& lowered, const AnalysisResult& result,
                 const AnalysisSettings& settings = {}) {
    applyHighlights(editor(), lowered, result, settings, m_window.gauge());
  }

  void hideAgain(const std::string& lowered, const AnalysisSettings& settings) {
    RestyleScope scope(editor());
    applyHiddenWords(lowered, m_window.gauge(), editor(), settings);
  }

  std::vector<Rgb> editorColours() {
    std::vector<Rgb> colours;
    for (long i = 0; i < editor().GetLastPosition(); ++i)
      colours.push_back(backgroundAt(editor(), i));
    return colours;
  }

  std::vector<Rgb> coloursOf(long from, long to) {
    std::vector<Rgb> colours;
    for (long i = from; i < to; ++i) colours.push_back(backgroundAt(editor(), i));
    return colours;
  }

  // The straightforward way: every range of every list styled in list
  // order, each later one over the earlier ones, then the hidden words.
  void paintListsOneByOne(const std::string& lowered, const AnalysisResult& result,
                          const AnalysisSettings& settings) {
    editor().SetStyle(0, editor().GetLastPosition(), background(kWhite));
    const std::vector<int>& phrases = result.phraseRanges;
    for (size_t j = 0; j + 1 < phrases.size(); j += 2) {
      editor().SetStyle(phrases[j], phrases[j] + phrases[j + 1], background(kPhrase));
    }
    auto paintWords = [&](const std::vector<int>& starts, Rgb colour) {
      for (int s : starts) editor().SetStyle(s, wordEndAt(lowered, s), background(colour));
    };
    paintWords(result.searchedStarts, kSearched);
    paintWords(result.distantStarts, kDistant);
    paintWords(result.closeStarts, kClose);
    applyHiddenWords(lowered, m_window.gauge(), editor(), settings);
  }

  // Paints the same result both ways and compares every character, and
  // with the plan.
  void expectPaintedLikeTheLists(const std::string& lowered, const AnalysisResult& result,
                                 const AnalysisSettings& settings) {
    paintListsOneByOne(lowered, result, settings);
    const std::vector<Rgb> expected = editorColours();
    highlight(lowered, result, settings);
    EXPECT_EQ(editorColours(), expected) << "text '" << lowered << "'";

    std::vector<Rgb> planned(lowered.size(), kWhite);
    for (const ColourRun& run : planHighlights(lowered, result, settings)) {
      std::fill(planned.begin() + run.start, planned.begin() + run.end, run.colour);
    }
    EXPECT_EQ(planned, expected);
  }

  EditorWindow m_window;
};

TEST_F(Restyle, EveryColourOfTheTableReadsBackExactly) {
  std::vector<Rgb> table = {kWhite, kMarkedWithoutClass, kTop100Background};
  for (int c = 0; c < kHighlightClassCount; ++c) {
    table.push_back(kClassColours[c]);
    table.push_back(kHiddenColours[c]);
    table.push_back(kMarkedColours[c]);
  }
  load(std::string(2 * table.size(), 'x'));
  for (size_t k = 0; k < table.size(); ++k) {
    EXPECT_EQ(toRgb(toWxColour(table[k])), table[k]);
    editor().SetStyle(2 * k, 2 * k + 2, background(table[k]));
  }
  for (size_t k = 0; k < table.size(); ++k) {
    EXPECT_EQ(backgroundAt(editor(), 2 * k), table[k]) << k;
    EXPECT_EQ(wordColour(2 * k, 2 * k + 2), table[k]) << k;
  }
}

TEST_F(Restyle, WordColourIsReadAtTheSecondLetterOrTheOnlyOne) {
  load("ab c d");
  editor().SetStyle(1, 2, background(kClose));    // "b"
  editor().SetStyle(5, 6, background(kDistant));  // the final "d"
  EXPECT_EQ(wordColour(0, 2), kClose);
  EXPECT_EQ(wordColour(3, 4), kWhite);  // "c", followed by a white space
  EXPECT_EQ(wordColour(5, 6), kDistant);
  // Outside the text: white, and no assert from the control.
  EXPECT_EQ(wordColour(6, 7), kWhite);
  EXPECT_EQ(wordColour(5, 7), kWhite);
  EXPECT_EQ(wordColour(6, 9), kWhite);
  EXPECT_EQ(wordColour(-3, -2), kWhite);
}

TEST_F(Restyle, PaintsLikeTheListsOneByOneOnAnAnalysedText) {
  const std::string lowered = load(
      "Le petit chat dort. Le petit chat mange, le chien aboie et le chat dort encore.\n"
      "Un chaton joue avec le chien ; le petit chat regarde le chaton et le chien.\n");
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.m_closeDistance = 30;
  settings.m_distantNb = 3;
  settings.m_distantDistance = 200;
  settings.m_wordsActive = 1;
  settings.m_wordsList = {"chien", "dort"};
  settings.m_phrasesActive = 1;
  settings.m_phrasesList = {"le petit chat"};
  settings.ClampToRanges();
  const AnalysisResult result = analyzeText(lowered, settings);
  ASSERT_FALSE(result.closeStarts.empty());
  ASSERT_FALSE(result.phraseRanges.empty());
  expectPaintedLikeTheLists(lowered, result, settings);
  settings.m_hiddenList = {"chat", "chien"};
  expectPaintedLikeTheLists(lowered, result, settings);
}

TEST_F(Restyle, PaintsLikeTheListsOneByOneOnRandomLists) {
  std::mt19937 random(7);
  const std::string alphabet = "aab c.d\n'";
  const WordList vocabulary = {"a", "ab", "aab", "b", "c", "abab"};
  for (int round = 0; round < 40; ++round) {
    std::string text(1 + random() % 60, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const std::string lowered = load(text);
    auto position = [&] { return static_cast<int>(random() % text.size()); };
    AnalysisResult result;
    for (int k = random() % 5; k > 0; --k) {
      int start = position();
      result.phraseRanges.push_back(start);
      result.phraseRanges.push_back(static_cast<int>(random() % (text.size() - start + 1)));
    }
    for (auto* list : {&result.searchedStarts, &result.distantStarts, &result.closeStarts}) {
      for (int k = random() % 6; k > 0; --k) list->push_back(position());
    }
    AnalysisSettings settings;
    for (int k = random() % 3; k > 0; --k) {
      settings.m_hiddenList.push_back(vocabulary[random() % vocabulary.size()]);
    }
    expectPaintedLikeTheLists(lowered, result, settings);
  }
}

TEST_F(Restyle, CloseBeatsDistantBeatsSearchedBeatsPhrase) {
  const std::string lowered = load("un deux trois quatre");
  AnalysisResult result;
  result.phraseRanges = {0, 20};
  result.searchedStarts = {0, 3, 8};
  result.distantStarts = {0, 3};
  result.closeStarts = {0};
  highlight(lowered, result);
  EXPECT_EQ(coloursOf(0, 2), std::vector<Rgb>(2, kClose));
  EXPECT_EQ(coloursOf(3, 7), std::vector<Rgb>(4, kDistant));
  EXPECT_EQ(coloursOf(8, 13), std::vector<Rgb>(5, kSearched));
  EXPECT_EQ(coloursOf(14, 20), std::vector<Rgb>(6, kPhrase));
  // The separators lie inside the phrase only.
  for (long space : {2, 7, 13}) EXPECT_EQ(backgroundAt(editor(), space), kPhrase);
}

TEST_F(Restyle, HiddenWordsAreGreyAndSeparatorsKeepThePhrase) {
  const std::string lowered = load("le chat noir, un chat");
  AnalysisResult result;
  result.phraseRanges = {0, 12};
  result.closeStarts = {3, 17};
  highlight(lowered, result, hiding({"chat"}));
  const Rgb grey = hiddenColour(HighlightClass::kClose);
  EXPECT_EQ(coloursOf(0, 3), std::vector<Rgb>(3, kPhrase));
  EXPECT_EQ(coloursOf(3, 7), std::vector<Rgb>(4, grey));
  EXPECT_EQ(coloursOf(7, 12), std::vector<Rgb>(5, kPhrase));
  EXPECT_EQ(coloursOf(12, 17), std::vector<Rgb>(5, kWhite));
  EXPECT_EQ(coloursOf(17, 21), std::vector<Rgb>(4, grey));  // ends the text
}

TEST_F(Restyle, HighlightingWhitensWhatWasThereBefore) {
  const std::string lowered = load("rouge partout\nencore");
  editor().SetStyle(0, editor().GetLastPosition(), background(kMarkedWithoutClass));
  AnalysisResult result;
  result.closeStarts = {6};
  highlight(lowered, result);
  std::vector<Rgb> expected(lowered.size(), kWhite);
  std::fill(expected.begin() + 6, expected.begin() + 13, kClose);
  EXPECT_EQ(editorColours(), expected);
}

TEST_F(Restyle, HiddenPassFollowsChangesOfTheList) {
  const std::string lowered = load("chat chien chat chien");
  AnalysisResult result;
  result.distantStarts = {0, 11};
  result.closeStarts = {5, 16};
  highlight(lowered, result, hiding({"chat", "chien"}));
  EXPECT_EQ(backgroundAt(editor(), 1), hiddenColour(HighlightClass::kDistant));
  EXPECT_EQ(backgroundAt(editor(), 6), hiddenColour(HighlightClass::kClose));

  hideAgain(lowered, hiding({"chien"}));
  EXPECT_EQ(coloursOf(0, 4), std::vector<Rgb>(4, kDistant));
  EXPECT_EQ(coloursOf(11, 15), std::vector<Rgb>(4, kDistant));
  EXPECT_EQ(coloursOf(5, 10), std::vector<Rgb>(5, hiddenColour(HighlightClass::kClose)));

  hideAgain(lowered, hiding({}));
  EXPECT_EQ(coloursOf(16, 21), std::vector<Rgb>(5, kClose));
}

TEST_F(Restyle, HiddenPassLeavesMarkedWordsRed) {
  const std::string lowered = load("chat chat");
  editor().SetStyle(0, 4, background(markedColour(HighlightClass::kClose)));
  editor().SetStyle(5, 9, background(kClose));
  hideAgain(lowered, hiding({"chat"}));
  EXPECT_EQ(coloursOf(0, 4), std::vector<Rgb>(4, markedColour(HighlightClass::kClose)));
  EXPECT_EQ(coloursOf(5, 9), std::vector<Rgb>(4, hiddenColour(HighlightClass::kClose)));
}

TEST_F(Restyle, ClearWhitensEverything) {
  const std::string lowered = load("un mot, un autre mot");
  AnalysisResult result;
  result.phraseRanges = {0, 6};
  result.closeStarts = {3, 17};
  highlight(lowered, result, hiding({"un"}));
  clearHighlights(editor());
  EXPECT_EQ(editorColours(), std::vector<Rgb>(lowered.size(), kWhite));
  EXPECT_TRUE(editor().IsShown());
}

TEST_F(Restyle, AnEmptyEditorIsHandledQuietly) {
  const std::string lowered = load("");
  highlight(lowered, AnalysisResult{}, hiding({"mot"}));
  hideAgain(lowered, hiding({"mot"}));
  clearHighlights(editor());
  EXPECT_EQ(wordColour(0, 1), kWhite);
  EXPECT_TRUE(editor().IsShown());
  EXPECT_EQ(editor().GetLastPosition(), 0);
}

TEST_F(Restyle, TheScrollPositionSurvivesHighlighting) {
  std::string text;
  for (int line = 0; line < 3000; ++line) {
    text += "ligne " + std::to_string(line) + " avec un mot et encore un mot\n";
  }
  const std::string lowered = load(text);
  editor().ShowPosition(text.find("ligne 1500 "));
  ASSERT_TRUE(waitFor([&] { return editor().GetScrollPos(wxVERTICAL) > 0; }));
  settle();
  const int before = editor().GetScrollPos(wxVERTICAL);
  long topBefore = 0;
  editor().HitTest(wxPoint(5, 5), &topBefore);
  ASSERT_GT(before, 0);

  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.m_skipActive = 0;
  settings.m_hiddenList = {"ligne"};
  const AnalysisResult result = analyzeText(lowered, settings);
  ASSERT_FALSE(result.closeStarts.empty());
  highlight(lowered, result, settings);
  settle();
  EXPECT_EQ(editor().GetScrollPos(wxVERTICAL), before);
  long topAfter = 0;
  editor().HitTest(wxPoint(5, 5), &topAfter);
  EXPECT_EQ(topAfter, topBefore);
  EXPECT_TRUE(editor().IsShown());

  clearHighlights(editor());
  settle();
  EXPECT_EQ(editor().GetScrollPos(wxVERTICAL), before);

  {
    // Whatever moves the view while the editor is hidden is undone.
    RestyleScope scope(editor());
    editor().SetScrollPos(wxVERTICAL, 0, true);
  }
  settle();
  EXPECT_EQ(editor().GetScrollPos(wxVERTICAL), before);
}

TEST_F(Restyle, HighlightingEndsWithTheGaugeNearlyFull) {
  const std::string lowered = load(std::string(10000, 'a'));
  m_window.gauge().SetValue(0);
  progressCounter = 0;
  highlight(lowered, AnalysisResult{}, hiding({"b"}));
  // The hidden-words share of the gauge, last touched at character 8000.
  EXPECT_EQ(m_window.gauge().GetValue(), 98);
}

}  // namespace

}  // namespace verbolt
