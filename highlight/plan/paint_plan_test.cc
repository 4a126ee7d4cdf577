#include "highlight/plan/paint_plan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "analysis/equivalence.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr Rgb kPhrase = classColour(HighlightClass::kPhrase);
constexpr Rgb kSearched = classColour(HighlightClass::kSearched);
constexpr Rgb kDistant = classColour(HighlightClass::kDistant);
constexpr Rgb kClose = classColour(HighlightClass::kClose);

AnalysisSettings plainSettings(WordList hidden = {}) {
  AnalysisSettings settings;
  settings.m_hiddenList = std::move(hidden);
  return settings;
}

std::vector<ColourRun> plan(const std::string& text, const AnalysisResult& result,
                            const AnalysisSettings& settings = plainSettings()) {
  return planHighlights(text, result, settings);
}

// --- The reference: the lists painted one after another into one colour
// per character, then the hidden-words pass, as the editor would see them.

std::vector<Rgb> paintInOrder(const std::string& text, const AnalysisResult& result,
                              const AnalysisSettings& settings) {
  std::vector<Rgb> colours(text.size(), kWhite);
  auto paint = [&](size_t start, size_t end, Rgb colour) {
    for (size_t i = start; i < end && i < colours.size(); ++i) colours[i] = colour;
  };
  for (size_t j = 0; j + 1 < result.phraseRanges.size(); j += 2) {
    paint(result.phraseRanges[j], result.phraseRanges[j] + result.phraseRanges[j + 1], kPhrase);
  }
  for (int s : result.searchedStarts) paint(s, wordEndAt(text, s), kSearched);
  for (int s : result.distantStarts) paint(s, wordEndAt(text, s), kDistant);
  for (int s : result.closeStarts) paint(s, wordEndAt(text, s), kClose);

  struct Change {
    Rgb from;
    Rgb hidden;
    Rgb shown;
  };
  const std::vector<Change> changes = {
      {kClose, {235, 235, 233}, kClose},
      {kDistant, {235, 235, 234}, kDistant},
      {kSearched, {235, 235, 235}, kSearched},
      {kPhrase, {235, 235, 236}, kPhrase},
      {{235, 235, 233}, {235, 235, 233}, kClose},
      {{235, 235, 234}, {235, 235, 234}, kDistant},
      {{235, 235, 235}, {235, 235, 235}, kSearched},
      {{235, 235, 236}, {235, 235, 236}, kPhrase},
  };
  std::string word;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && isWordChar(text[i])) {
      word += text[i];
      continue;
    }
    if (word.empty()) continue;
    size_t start = i - word.size();
    Rgb current = colours[word.size() == 1 ? start : start + 1];
    bool hidden = findWordInList(word, settings.m_hiddenList, settings) >= 0;
    for (const Change& change : changes) {
      Rgb next = hidden ? change.hidden : change.shown;
      if (current == change.from && next != current) paint(start, i, next);
    }
    word.clear();
  }
  return colours;
}

std::vector<Rgb> coloursOf(const std::vector<ColourRun>& runs, size_t length) {
  std::vector<Rgb> colours(length, kWhite);
  for (const ColourRun& run : runs) {
    for (int i = run.start; i < run.end; ++i) colours[i] = run.colour;
  }
  return colours;
}

// --- Colours of single lists and their precedence.

TEST(PlanHighlights, LaterListsWin) {
  // "un" is in all four lists, "deux" in three, "trois" in two.
  const std::string text = "un deux trois quatre";
  AnalysisResult result;
  result.phraseRanges = {0, 2, 3, 4, 8, 5, 14, 6};
  result.searchedStarts = {0, 3, 8};
  result.distantStarts = {0, 3};
  result.closeStarts = {0};
  EXPECT_EQ(plan(text, result),
            (std::vector<ColourRun>{
                {0, 2, kClose}, {3, 7, kDistant}, {8, 13, kSearched}, {14, 20, kPhrase}}));
}

TEST(PlanHighlights, EchoesLieUnderEveryOtherClass) {
  // An opening, then an echo over it, a phrase and a close repetition.
  const std::string text = "she said that the rain fell";
  constexpr Rgb kEcho = classColour(HighlightClass::kEcho);
  constexpr Rgb kOpening = classColour(HighlightClass::kOpening);
  AnalysisResult result;
  result.sentenceOpenings = {{0, 3, kNoEarlier}};
  result.phraseEchoes = {{0, 22, kNoEarlier}};
  result.phraseRanges = {18, 4};
  result.closeStarts = {9};
  EXPECT_EQ(
      plan(text, result),
      (std::vector<ColourRun>{{0, 9, kEcho}, {9, 13, kClose}, {13, 18, kEcho}, {18, 22, kPhrase}}));
  result.phraseEchoes.clear();
  EXPECT_EQ(plan(text, result),
            (std::vector<ColourRun>{{0, 3, kOpening}, {9, 13, kClose}, {18, 22, kPhrase}}));
  // Hidden, they take their own greys.
  result.sentenceOpenings.push_back({23, 27, kNoEarlier});
  EXPECT_EQ(plan(text, result, plainSettings({"she"})).front(),
            (ColourRun{0, 3, hiddenColour(HighlightClass::kOpening)}));
}

TEST(PlanHighlights, WordStartsColourUpToTheWordEnd) {
  const std::string text = "le chat-noir dort";
  AnalysisResult result;
  result.closeStarts = {3, 13};
  EXPECT_EQ(plan(text, result), (std::vector<ColourRun>{{3, 7, kClose}, {13, 17, kClose}}));
}

TEST(PlanHighlights, APhraseRangeColoursTheSeparatorsBetweenItsWords) {
  const std::string text = "il a dit: le petit chat.";
  AnalysisResult result;
  result.phraseRanges = {10, 13};  // "le petit chat"
  result.closeStarts = {13};       // "petit"
  EXPECT_EQ(plan(text, result),
            (std::vector<ColourRun>{{10, 13, kPhrase}, {13, 18, kClose}, {18, 23, kPhrase}}));
}

TEST(PlanHighlights, RepeatedStartsAndEmptyListsChangeNothing) {
  const std::string text = "mot mot";
  AnalysisResult once;
  once.distantStarts = {4};
  AnalysisResult twice;
  twice.distantStarts = {4, 4, 4};
  EXPECT_EQ(plan(text, once), plan(text, twice));
  EXPECT_TRUE(plan(text, AnalysisResult{}).empty());
}

TEST(PlanHighlights, EqualNeighboursMergeIntoOneRun) {
  const std::string text = "aa bb cc dd";
  AnalysisResult result;
  result.phraseRanges = {0, 3, 3, 3};  // two ranges that touch
  result.searchedStarts = {6, 9};      // separated by a white space
  EXPECT_EQ(plan(text, result),
            (std::vector<ColourRun>{{0, 6, kPhrase}, {6, 8, kSearched}, {9, 11, kSearched}}));
}

TEST(PlanHighlights, EmptyText) {
  AnalysisResult result;
  result.phraseRanges = {0, 4};
  result.closeStarts = {0};
  EXPECT_TRUE(plan("", result, plainSettings({"x"})).empty());
}

TEST(PlanHighlights, PositionsOutsideTheTextAreClipped) {
  const std::string text = "abc def";
  AnalysisResult result;
  result.phraseRanges = {-3, 5, 5, 1000, 2000000000, 2000000000, 1, -4, 3};  // odd count
  result.searchedStarts = {-1, 7, 1000};
  result.closeStarts = {4};
  EXPECT_EQ(plan(text, result), (std::vector<ColourRun>{{0, 2, kPhrase}, {4, 7, kClose}}));
}

// --- Hidden words.

TEST(PlanHighlights, HiddenWordsTakeTheGreyOfTheirClass) {
  const std::string text = "aa bb cc dd ee";
  AnalysisResult result;
  result.phraseRanges = {0, 2};
  result.searchedStarts = {3};
  result.distantStarts = {6};
  result.closeStarts = {9, 12};
  EXPECT_EQ(plan(text, result, plainSettings({"aa", "bb", "cc", "dd"})),
            (std::vector<ColourRun>{{0, 2, hiddenColour(HighlightClass::kPhrase)},
                                    {3, 5, hiddenColour(HighlightClass::kSearched)},
                                    {6, 8, hiddenColour(HighlightClass::kDistant)},
                                    {9, 11, hiddenColour(HighlightClass::kClose)},
                                    {12, 14, kClose}}));
}

TEST(PlanHighlights, WhiteWordsStayWhiteWhenHidden) {
  AnalysisResult result;
  result.closeStarts = {5};
  EXPECT_EQ(plan("chat chat", result, plainSettings({"chat"})),
            (std::vector<ColourRun>{{5, 9, hiddenColour(HighlightClass::kClose)}}));
}

TEST(PlanHighlights, SimilarWordsAreHiddenWithTheWordOfTheList) {
  AnalysisSettings settings = plainSettings({"maison"});
  settings.m_sameActive = 1;
  settings.m_sameNbLetters = 4;
  settings.m_samePercent = 50;
  AnalysisResult result;
  result.closeStarts = {0, 9, 21};
  EXPECT_EQ(plan("maisons, maisonnette mai", result, settings),
            (std::vector<ColourRun>{{0, 7, hiddenColour(HighlightClass::kClose)},
                                    {9, 20, hiddenColour(HighlightClass::kClose)},
                                    {21, 24, kClose}}));
}

TEST(PlanHighlights, HiddenWordInsideAPhraseKeepsThePhraseOnTheSeparators) {
  const std::string text = "le chat noir";
  AnalysisResult result;
  result.phraseRanges = {0, 12};
  EXPECT_EQ(plan(text, result, plainSettings({"chat"})),
            (std::vector<ColourRun>{
                {0, 3, kPhrase}, {3, 7, hiddenColour(HighlightClass::kPhrase)}, {7, 12, kPhrase}}));
}

TEST(PlanHighlights, AWordEndingTheTextIsGreyedOverAllItsLetters) {
  AnalysisResult result;
  result.distantStarts = {3};
  EXPECT_EQ(plan("vu chat", result, plainSettings({"chat"})),
            (std::vector<ColourRun>{{3, 7, hiddenColour(HighlightClass::kDistant)}}));
}

TEST(PlanHighlights, OneLetterWordsShowTheColourOfTheirOwnLetter) {
  AnalysisResult closeA;
  closeA.closeStarts = {0, 5};
  EXPECT_EQ(plan("a bb a", closeA, plainSettings({"a"})),
            (std::vector<ColourRun>{{0, 1, hiddenColour(HighlightClass::kClose)},
                                    {5, 6, hiddenColour(HighlightClass::kClose)}}));

  // A white "a" followed by a coloured separator stays white.
  AnalysisResult phraseAfterA;
  phraseAfterA.phraseRanges = {1, 3};
  EXPECT_EQ(plan("a bb", phraseAfterA, plainSettings({"a"})),
            (std::vector<ColourRun>{{1, 4, kPhrase}}));
}

TEST(PlanHighlights, WordsOfTwoColoursAreLeftAsTheyAre) {
  // The phrase ends inside "defgh"; its second letter shows the phrase.
  const std::string text = "abc defgh";
  AnalysisResult result;
  result.phraseRanges = {0, 6};
  EXPECT_EQ(plan(text, result, plainSettings({"zzz"})), (std::vector<ColourRun>{{0, 6, kPhrase}}));
  EXPECT_EQ(
      plan(text, result, plainSettings({"defgh"})),
      (std::vector<ColourRun>{{0, 4, kPhrase}, {4, 9, hiddenColour(HighlightClass::kPhrase)}}));
}

TEST(HiddenPassColour, FollowsTheClassAndTheList) {
  AnalysisSettings settings = plainSettings({"gris"});
  for (int c = 0; c < kHighlightClassCount; ++c) {
    auto cls = static_cast<HighlightClass>(c);
    EXPECT_EQ(hiddenPassColour(classColour(cls), "gris", settings), hiddenColour(cls));
    EXPECT_EQ(hiddenPassColour(classColour(cls), "vert", settings), classColour(cls));
    EXPECT_EQ(hiddenPassColour(hiddenColour(cls), "gris", settings), hiddenColour(cls));
    EXPECT_EQ(hiddenPassColour(hiddenColour(cls), "vert", settings), classColour(cls));
    EXPECT_EQ(hiddenPassColour(markedColour(cls), "gris", settings), markedColour(cls));
  }
  EXPECT_EQ(hiddenPassColour(kWhite, "gris", settings), kWhite);
  EXPECT_EQ(hiddenPassColour(kMarkedWithoutClass, "vert", settings), kMarkedWithoutClass);
}

TEST(WordProbePosition, SecondLetterOrTheOnlyOne) {
  EXPECT_EQ(wordProbePosition(10, 15), 11);
  EXPECT_EQ(wordProbePosition(10, 12), 11);
  EXPECT_EQ(wordProbePosition(10, 11), 10);
}

// --- The gauge.

TEST(PlanHighlights, DrivesTheGaugeThroughTheListsAndTheText) {
  const std::string text(5000, 'a');
  AnalysisResult result;
  result.searchedStarts.assign(250, 0);
  result.closeStarts.assign(50, 0);
  std::vector<int> gauge;
  progressCounter = 0;
  planHighlights(text, result, plainSettings({"b"}), [&](int value) { gauge.push_back(value); });
  // Searched entries 0, 100, 200 of 250; close entries from counter 250:
  // entry 50 would be the next; the text from counter 300: characters 1700,
  // 3700 of 5000.
  EXPECT_EQ(gauge, (std::vector<int>{60, 64, 68, 93, 97}));
  EXPECT_EQ(progressCounter, 250u + 50u + 5000u);
}

// --- Against the reference, on random texts and lists.

TEST(PlanHighlights, MatchesPaintingTheListsInOrder) {
  std::mt19937 random(20240601);
  const std::string alphabet = "aab c.d\n'";
  const WordList vocabulary = {"a", "ab", "aab", "b", "c", "d", "abab", "ca"};
  for (int round = 0; round < 500; ++round) {
    std::string text(random() % 80, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    AnalysisResult result;
    auto position = [&] { return static_cast<int>(random() % text.size()); };
    if (!text.empty()) {
      for (int k = random() % 6; k > 0; --k) {
        result.phraseRanges.push_back(position());
        result.phraseRanges.push_back(static_cast<int>(random() % 12));
      }
      for (auto* list : {&result.searchedStarts, &result.distantStarts, &result.closeStarts}) {
        for (int k = random() % 8; k > 0; --k) list->push_back(position());
      }
    }
    AnalysisSettings settings;
    settings.m_sameActive = static_cast<int>(random() % 2);
    settings.m_sameNbLetters = 2;
    settings.m_samePercent = 40;
    for (int k = random() % 4; k > 0; --k) {
      settings.m_hiddenList.push_back(vocabulary[random() % vocabulary.size()]);
    }
    std::vector<ColourRun> runs = planHighlights(text, result, settings);
    ASSERT_EQ(coloursOf(runs, text.size()), paintInOrder(text, result, settings))
        << "round " << round << " text '" << text << "'";
    for (size_t k = 0; k < runs.size(); ++k) {
      EXPECT_LT(runs[k].start, runs[k].end);
      EXPECT_NE(runs[k].colour, kWhite);
      if (k > 0) {
        EXPECT_LE(runs[k - 1].end, runs[k].start);
        EXPECT_FALSE(runs[k - 1].end == runs[k].start && runs[k - 1].colour == runs[k].colour);
      }
    }
  }
}

}  // namespace

}  // namespace verbolt
