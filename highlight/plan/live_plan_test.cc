#include "highlight/plan/live_plan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/words.h"

namespace verbolt {

namespace {

// What a whole pass over the text paints and reports.
struct Fresh {
  std::vector<ColourRun> runs;
  std::string report;
};

Fresh freshPlan(const std::string& text, const AnalysisSettings& settings) {
  AnalysisResult result = analyzeText(text, settings, {}, RepeatedStarts::kCollapsed);
  return {planHighlights(text, result, settings), result.report};
}

// Words that share beginnings of every length, so that families form,
// grow and lose their first members as the text changes.
const std::vector<std::string> kWords = {"maison", "maisons", "mais",     "mai",    "ma",
                                         "m",      "table",   "tablette", "tab",    "tables",
                                         "chat",   "chats",   "chaton",   "chien",  "le",
                                         "la",     "un",      "abcdefgh", "abcdef", "abcdefghijkl"};

std::string randomPiece(std::mt19937& random, int words) {
  const std::string separators[] = {" ", " ", " ", ". ", "\n", ", ", "'", "-"};
  std::string piece;
  for (int i = 0; i < words; ++i) {
    piece += kWords[random() % kWords.size()];
    piece += separators[random() % std::size(separators)];
  }
  return piece;
}

AnalysisSettings randomSettings(std::mt19937& random) {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.m_skipActive = static_cast<int>(random() % 2);
  settings.m_skipNbLettersMin = static_cast<int>(1 + random() % 4);
  settings.m_skipWords = random() % 2 ? WordList{"le", "chat"} : WordList{};
  settings.m_sameActive = static_cast<int>(random() % 3 != 0);
  settings.m_sameNbLetters = static_cast<int>(random() % 5);
  settings.m_samePercent = static_cast<int>(random() % 6 == 0 ? 100 : random() % 80);
  settings.m_closeActive = static_cast<int>(random() % 4 != 0);
  settings.m_closeDistance = static_cast<int>(5 + random() % 120);
  settings.m_distantActive = static_cast<int>(random() % 4 != 0);
  settings.m_distantNb = static_cast<int>(2 + random() % 4);
  settings.m_distantDistance = static_cast<int>(20 + random() % 300);
  settings.m_wordsActive = static_cast<int>(random() % 3 == 0);
  settings.m_wordsLetterMin = 8;
  settings.m_wordsLetterMax = 9;
  settings.m_hiddenList = random() % 3 == 0 ? WordList{"table"} : WordList{};
  return settings;
}

TEST(LivePlan, EveryEditGivesWhatAWholePassGives) {
  std::mt19937 random(20261210);
  int byStretch = 0;
  int updates = 0;
  for (int round = 0; round < 60; ++round) {
    const AnalysisSettings settings = randomSettings(random);
    std::string text = randomPiece(random, 200 + static_cast<int>(random() % 800));
    LivePlan live;
    live.update(text, settings);
    for (int step = 0; step < 40; ++step) {
      const size_t at = text.empty() ? 0 : random() % (text.size() + 1);
      switch (random() % 5) {
        case 0:  // a letter typed
          text.insert(at, 1, "aemst "[random() % 6]);
          break;
        case 1:  // a backspace
          if (at > 0) text.erase(at - 1, 1);
          break;
        case 2:  // a paste
          text.insert(at, randomPiece(random, 1 + static_cast<int>(random() % 12)));
          break;
        case 3:  // a cut
          text.erase(at, random() % 60);
          break;
        default:  // at either end
          if (random() % 2) {
            text.insert(0, randomPiece(random, 2));
          } else {
            text += randomPiece(random, 2);
          }
      }
      live.update(text, settings);
      const Fresh fresh = freshPlan(text, settings);
      ASSERT_EQ(live.runs(), fresh.runs) << "round " << round << " step " << step;
      ASSERT_EQ(live.report(), fresh.report) << "round " << round << " step " << step;
      ++updates;
      byStretch += live.wasWhole() ? 0 : 1;
    }
  }
  // Most edits must have been followed by a stretch, or this tests little.
  EXPECT_GT(byStretch, updates * 3 / 4) << byStretch << " of " << updates;
}

TEST(LivePlan, SettingsAndPaletteChangesAnalyseTheWholeText) {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "maison table chien abcdefgh ";
  LivePlan live;
  live.update(text, settings);
  EXPECT_TRUE(live.wasWhole());
  text.insert(28 * 178, "maison ");
  live.update(text, settings);
  EXPECT_FALSE(live.wasWhole());
  EXPECT_EQ(live.runs(), freshPlan(text, settings).runs);
  // A new word whose entry records occurrences far from the edit: its
  // family comes in close pairs all over a longer text. The entry exists
  // from the edit on, and taking the word back removes it.
  std::string longer;
  for (int i = 0; i < 8000; ++i)
    longer += i % 700 == 350 ? "maison maisons " : "table chien lapin ";
  AnalysisSettings near = settings;
  near.m_distantDistance = 300;
  live.update(longer, near);
  const size_t at = longer.find(' ', longer.size() / 2) + 1;
  for (const char* word : {"maisonnette ", "maisonnettes ", ""}) {
    longer.replace(at, longer.find(' ', at) + 1 - at, word);
    live.update(longer, near);
    EXPECT_FALSE(live.wasWhole()) << word;
    EXPECT_EQ(live.runs(), freshPlan(longer, near).runs) << word;
    EXPECT_EQ(live.report(), freshPlan(longer, near).report) << word;
  }
  // When the family is everywhere, the whole text costs less.
  text.insert(28 * 178, "maisonnette ");
  live.update(text, settings);
  EXPECT_TRUE(live.wasWhole());
  EXPECT_EQ(live.runs(), freshPlan(text, settings).runs);

  settings.m_closeDistance = 50;
  live.update(text, settings);
  EXPECT_TRUE(live.wasWhole());
  EXPECT_EQ(live.runs(), freshPlan(text, settings).runs);

  setActivePalette(PaletteName::kDark);
  live.update(text, settings);
  EXPECT_TRUE(live.wasWhole());
  EXPECT_EQ(live.runs(), freshPlan(text, settings).runs);
  setActivePalette(PaletteName::kStandard);

  // The echoes reach by other paths: every update is whole with them on.
  settings.m_echoes.phrasesActive = true;
  live.update(text, settings);
  text.insert(100, "le chat ");
  live.update(text, settings);
  EXPECT_TRUE(live.wasWhole());
}

}  // namespace

}  // namespace verbolt
