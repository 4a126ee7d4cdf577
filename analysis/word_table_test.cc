#include "analysis/word_table.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/equivalence.h"
#include "analysis/word_table_test_support.h"

namespace verbolt {

namespace {

AnalysisSettings settingsWith(int sameActive, int distantNb = 6) {
  AnalysisSettings s = AnalysisSettings::Defaults();
  s.m_sameActive = sameActive;
  s.m_distantNb = distantNb;
  return s;
}

struct Recorder {
  explicit Recorder(const AnalysisSettings& s) : table(s) {}
  void add(std::string_view word, int start) {
    table.recordOccurrence(word, start, closeStarts, distantStarts);
  }
  int count(const std::string& word) const {
    const WordEntries entries = table.entries();
    auto found = entries.find(word);
    return found == entries.end() ? -1 : found->second.count;
  }
  WordsTable table;
  std::vector<int> closeStarts;
  std::vector<int> distantStarts;
};

TEST(CloseRepetitions, DistanceIsStrictlyBelowTheSetting) {
  AnalysisSettings s = settingsWith(0);
  Recorder near(s);
  near.add("chat", 0);
  near.add("chat", 99);
  EXPECT_EQ(near.closeStarts, (std::vector<int>{0, 99}));

  Recorder far(s);
  far.add("chat", 0);
  far.add("chat", 100);
  EXPECT_TRUE(far.closeStarts.empty());
}

TEST(CloseRepetitions, ChainedPairsShareTheirMiddleOccurrence) {
  AnalysisSettings s = settingsWith(0);
  Recorder r(s);
  for (int start : {0, 40, 80}) r.add("chat", start);
  EXPECT_EQ(r.closeStarts, (std::vector<int>{0, 40, 40, 80}));
}

TEST(CloseRepetitions, OffMeansNoPairsButTheRingStillTurns) {
  AnalysisSettings s = settingsWith(0, 3);
  s.m_closeActive = 0;
  s.m_distantDistance = 100;
  Recorder r(s);
  for (int start : {0, 10, 20}) r.add("mot", start);
  EXPECT_TRUE(r.closeStarts.empty());
  EXPECT_EQ(r.distantStarts, (std::vector<int>{0, 10, 20}));
}

TEST(DistantRepetitions, AppendsTheWholeRingInSlotOrder) {
  AnalysisSettings s = settingsWith(0, 3);
  s.m_closeActive = 0;
  Recorder r(s);
  for (int start : {0, 700, 1400}) r.add("mot", start);
  EXPECT_EQ(r.distantStarts, (std::vector<int>{0, 700, 1400}));
  r.add("mot", 2000);  // oldest now 700: 1300 < 1500
  EXPECT_EQ(r.distantStarts, (std::vector<int>{0, 700, 1400, 2000, 700, 1400}));
  r.add("mot", 3500);  // oldest now 1400: 2100 is too far
  EXPECT_EQ(r.distantStarts.size(), 6u);
}

TEST(DistantRepetitions, NeedsAFullRing) {
  AnalysisSettings s = settingsWith(0, 6);
  Recorder r(s);
  for (int i = 0; i < 5; ++i) r.add("mot", i * 20);
  EXPECT_TRUE(r.distantStarts.empty());
  r.add("mot", 100);
  EXPECT_EQ(r.distantStarts, (std::vector<int>{0, 20, 40, 60, 80, 100}));
}

TEST(DistantRepetitions, DistanceIsStrict) {
  AnalysisSettings s = settingsWith(0, 2);
  s.m_closeActive = 0;
  s.m_distantDistance = 50;
  Recorder r(s);
  r.add("mot", 0);
  r.add("mot", 50);
  EXPECT_TRUE(r.distantStarts.empty());
  r.add("mot", 99);
  EXPECT_EQ(r.distantStarts, (std::vector<int>{99, 50}));
}

TEST(WordTableEquivalence, OccurrencesGoToEveryEquivalentEntryMetSoFar) {
  AnalysisSettings s = settingsWith(1);
  Recorder r(s);
  r.add("maison", 0);
  r.add("maison", 10);
  r.add("maisons", 20);
  EXPECT_EQ(r.count("maison"), 3);
  EXPECT_EQ(r.count("maisons"), 1);
  // Close pairs from the maison entry: (0,10), (10,20).
  EXPECT_EQ(r.closeStarts, (std::vector<int>{0, 10, 10, 20}));
}

TEST(WordTableEquivalence, CandidatesAreVisitedInKeyOrder) {
  AnalysisSettings s = settingsWith(1);
  Recorder r(s);
  r.add("maisons", 0);
  r.add("maison", 10);  // recorded in maison (new) then maisons: close pair (0,10)
  r.add("maisonnette", 20);
  // maison and maisonnette: k=6, L=11, 6 > 5: equivalent. maisons and
  // maisonnette: k=6, L=11: equivalent as well. Key order: maison,
  // maisonnette, maisons.
  EXPECT_EQ(r.closeStarts, (std::vector<int>{0, 10, 10, 20, 10, 20}));
  EXPECT_EQ(r.count("maisonnette"), 1);
  EXPECT_EQ(r.count("maison"), 2);
  EXPECT_EQ(r.count("maisons"), 3);
}

TEST(WordTableEquivalence, CaseIsFoldedBeforeTheTableAndFormsStaySeparateWhenOff) {
  AnalysisSettings s = settingsWith(0);
  Recorder r(s);
  r.add("maison", 0);
  r.add("maisons", 10);
  EXPECT_EQ(r.count("maison"), 1);
  EXPECT_EQ(r.count("maisons"), 1);
  EXPECT_TRUE(r.closeStarts.empty());
}

TEST(WordTableEquivalence, AHundredPercentRecordsNothing) {
  AnalysisSettings s = settingsWith(1);
  s.m_samePercent = 100;
  Recorder r(s);
  r.add("mot", 0);
  r.add("mot", 5);
  EXPECT_EQ(r.count("mot"), 0);
  EXPECT_TRUE(r.closeStarts.empty());
}

// The table narrows its walk to the keys that can be equivalent; this plain
// walk over every key with the same two first bytes must agree with it.
struct PlainTable {
  explicit PlainTable(const AnalysisSettings& s) : settings(s) {}
  void add(const std::string& word, int start) {
    entries.try_emplace(word, WordEntry{0, std::vector<int>(settings.m_distantNb, -1)});
    std::string prefix = word.substr(0, 2);
    for (auto it = entries.lower_bound(prefix);
         it != entries.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
      if (!areSimilar(word, it->first, settings)) continue;
      WordEntry& e = it->second;
      int n = settings.m_distantNb;
      int m = e.count % n;
      ++e.count;
      e.recentPositions[m] = start;
      int oldest = e.recentPositions[(m + 1) % n];
      if (settings.m_distantActive && oldest != -1 && start - oldest < settings.m_distantDistance) {
        distant.insert(distant.end(), e.recentPositions.begin(), e.recentPositions.end());
      }
      int previous = e.recentPositions[(m + n - 1) % n];
      if (settings.m_closeActive && previous != -1 && start - previous < settings.m_closeDistance) {
        close.push_back(previous);
        close.push_back(start);
      }
    }
  }
  const AnalysisSettings& settings;
  std::map<std::string, WordEntry> entries;
  std::vector<int> close;
  std::vector<int> distant;
};

// A word and the number of characters from its start to the next word's.
struct Placed {
  std::string word;
  int step;
};

// Records `count` words from `next` in the narrowed table and in the plain
// walk, and expects the same lists and, for every key, the same count and
// ring.
template <typename NextWord>
void expectNarrowedMatchesPlain(const AnalysisSettings& s, int count, NextWord next,
                                size_t fewestKeys = 0) {
  Recorder narrowed(s);
  PlainTable plain(s);
  int position = 0;
  for (int i = 0; i < count; ++i) {
    Placed placed = next();
    narrowed.add(placed.word, position);
    plain.add(placed.word, position);
    position += placed.step;
  }
  ASSERT_GE(plain.entries.size(), fewestKeys);
  ASSERT_EQ(narrowed.closeStarts, plain.close);
  ASSERT_EQ(narrowed.distantStarts, plain.distant);
  const WordEntries entries = narrowed.table.entries();
  ASSERT_EQ(entries.size(), plain.entries.size());
  for (const auto& [word, entry] : plain.entries) {
    ASSERT_EQ(entries.at(word), entry) << word;
  }
}

// Keys arrive in every order, words run past the 16 bytes kept inline,
// and one-byte words (whose run holds every key of their letter) come and
// go: the lists each entry keeps must still be those of the plain walk.
TEST(WordTableEquivalence, NarrowedWalkMatchesThePlainWalkOnLongAndOneByteWords) {
  std::mt19937 random(777);
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    AnalysisSettings s = settingsWith(1, 2 + round % 4);
    s.m_sameNbLetters = round % 3;
    s.m_samePercent = (round * 13) % 60;
    s.m_closeDistance = 40;
    s.m_distantDistance = 300;
    expectNarrowedMatchesPlain(s, 600, [&] {
      size_t length = random() % 4 == 0 ? 1 : 12 + random() % 10;
      std::string word(length, 'a');
      for (size_t j = 8; j < word.size(); ++j) word[j] = static_cast<char>('a' + random() % 2);
      if (length == 1) word[0] = static_cast<char>('a' + random() % 2);
      return Placed{word, static_cast<int>(length) + 1};
    });
  }
}

TEST(WordTableEquivalence, NarrowedWalkMatchesThePlainWalk) {
  std::mt19937 random(12345);
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    AnalysisSettings s = settingsWith(round % 7 != 0, 2 + round % 5);
    s.m_sameNbLetters = round % 6;
    s.m_samePercent = (round * 17) % 101;
    s.m_closeDistance = 30 + round;
    s.m_distantDistance = 200 + 10 * round;
    expectNarrowedMatchesPlain(s, 400, [&] {
      // Words over a tiny alphabet share long beginnings often.
      std::string word(1 + random() % 9, 'a');
      for (char& c : word) c = static_cast<char>('a' + random() % 3);
      return Placed{word, static_cast<int>(word.size()) + 1 + static_cast<int>(random() % 5)};
    });
  }
}

// With a low minimum and percentage, hundreds of keys are all equivalent:
// an entry's list outgrows what the table keeps and the entry switches to
// walking the keys around its own, mid-way through the text, while the
// one-byte words take every key of their letter.
TEST(WordTableEquivalence, FamiliesTooLargeToListMatchThePlainWalk) {
  std::mt19937 random(4242);
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE(round);
    AnalysisSettings s = settingsWith(1, 2 + round % 3);
    s.m_sameNbLetters = round % 3;
    s.m_samePercent = 10 * round;
    s.m_closeDistance = 60;
    s.m_distantDistance = 500;
    expectNarrowedMatchesPlain(
        s, 3000,
        [&] {
          std::string word = random() % 10 == 0 ? "a" : "ab";
          size_t tail = word.size() == 1 ? 0 : random() % 9;
          for (size_t j = 0; j < tail; ++j) word += static_cast<char>('a' + random() % 3);
          return Placed{word, static_cast<int>(word.size()) + 1 + static_cast<int>(random() % 7)};
        },
        300);
  }
}

}  // namespace

}  // namespace verbolt
