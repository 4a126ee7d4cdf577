#include "analysis/analysis_pass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>

#include "analysis/equivalence.h"
#include "analysis/search.h"
#include "text/words.h"

namespace verbolt {

namespace {

using Starts = std::vector<int>;

AnalysisSettings defaults() {
  AnalysisSettings s = AnalysisSettings::Defaults();
  s.ClampToRanges();
  return s;
}

AnalysisResult analyze(const std::string& text, const AnalysisSettings& s = defaults()) {
  return analyzeText(lowercaseText(text), s);
}

TEST(AnalysisPass, EmptyTextFindsNothing) {
  AnalysisResult r = analyze("");
  EXPECT_TRUE(r.phraseRanges.empty());
  EXPECT_TRUE(r.searchedStarts.empty());
  EXPECT_TRUE(r.distantStarts.empty());
  EXPECT_TRUE(r.closeStarts.empty());
  EXPECT_EQ(r.report, "");
}

TEST(AnalysisPass, AWordThatEndsTheTextIsCounted) {
  AnalysisResult r = analyze("Chat chat");
  EXPECT_EQ(r.closeStarts, (Starts{0, 5}));
  EXPECT_EQ(r.report, "  2 : chat\n");
}

TEST(AnalysisPass, SkippedWordsKeepTheirCharactersInDistances) {
  // "the" is skipped (too short) but its letters still count.
  std::string text = "word " + std::string(90, ' ') + "the word";
  AnalysisResult r = analyze(text);
  EXPECT_EQ(r.closeStarts, (Starts{0, 99}));
  EXPECT_EQ(r.report, "  2 : word\n");
}

TEST(AnalysisPass, SearchComesBeforeTheSkipFilter) {
  AnalysisSettings s = defaults();
  s.m_wordsActive = 1;
  s.m_skipWords = {"said"};
  AnalysisResult r = analyze("He said it. She SAID so.", s);
  EXPECT_EQ(r.searchedStarts, (Starts{3, 16}));
  EXPECT_TRUE(r.closeStarts.empty());
  EXPECT_EQ(r.report.find("said"), std::string::npos);
}

TEST(AnalysisPass, PhrasesAreTriedAtEveryPositionInsideWords) {
  AnalysisSettings s = defaults();
  s.m_phrasesActive = 1;
  AnalysisSettings::SetListFromText(s.m_phrasesList, "le chat\nat", "\n");
  AnalysisResult r = analyze("Ale, Chat!", s);
  EXPECT_EQ(r.phraseRanges, (Starts{1, 8, 7, 2}));  // "le, ch" then "at"
}

TEST(AnalysisPass, AllFeaturesOffStillRanksTheWords) {
  AnalysisSettings s = defaults();
  s.m_skipActive = 0;
  s.m_closeActive = 0;
  s.m_distantActive = 0;
  s.m_sameActive = 0;
  AnalysisResult r = analyze("b a b", s);
  EXPECT_TRUE(r.closeStarts.empty());
  EXPECT_TRUE(r.distantStarts.empty());
  EXPECT_EQ(r.report, "  2 : b\n  1 : a\n");
}

TEST(AnalysisPass, RunningTwiceGivesTheSameResult) {
  std::string text = "Maison, maisons et la maison. Une tablette sur la table, la table!";
  AnalysisSettings s = defaults();
  s.m_wordsActive = 1;
  s.m_phrasesActive = 1;
  s.m_phrasesList = {"la table"};
  AnalysisResult first = analyze(text, s);
  AnalysisResult second = analyze(text, s);
  EXPECT_EQ(first.closeStarts, second.closeStarts);
  EXPECT_EQ(first.phraseRanges, second.phraseRanges);
  EXPECT_EQ(first.report, second.report);
  // maison 0, maisons 8, maison 22, tablette 34, table 50 and 60: the later
  // occurrences count in both entries of their family.
  EXPECT_EQ(first.closeStarts, (Starts{0, 8, 8, 22, 8, 22, 34, 50, 50, 60, 50, 60}));
  EXPECT_EQ(first.phraseRanges, (Starts{47, 8, 57, 8}));
}

TEST(AnalysisPass, AnyBytesAnalyseWithoutFault) {
  std::string every;
  for (int round = 0; round < 4; ++round) {
    for (int c = 0; c < 256; ++c) every += static_cast<char>(c);
  }
  AnalysisSettings s = defaults();
  s.m_wordsActive = 1;
  s.m_phrasesActive = 1;
  AnalysisResult r = analyze(every, s);
  EXPECT_FALSE(r.report.empty());

  std::string oneLongWord(10'000'000, 'x');
  AnalysisResult longWord = analyze(oneLongWord, s);
  EXPECT_TRUE(longWord.closeStarts.empty());  // longer than 99 letters: skipped
  EXPECT_EQ(longWord.report, "");
}

TEST(AnalysisPass, ProgressCoversTheFirstHalfOfTheGauge) {
  std::vector<int> values;
  std::string text(100'000, 'a');
  for (size_t i = 5; i < text.size(); i += 6) text[i] = ' ';
  analyzeText(text, defaults(), [&](int value) { values.push_back(value); });
  ASSERT_GE(values.size(), 49u);  // one update per 2000 characters
  EXPECT_LE(values.front(), 1);
  EXPECT_GE(values.back(), 48);
  EXPECT_LE(values.back(), 50);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
}

// The pass as plainly as it can be written: one byte at a time, every
// phrase at every position, the word search and the skip filter on every
// occurrence, every key of the two-byte run tried for every occurrence, and
// every later entry of the ranking tried for every main line. The pass
// itself does all of this far faster; its results must not differ by a
// byte.
class PlainPass {
 public:
  explicit PlainPass(const AnalysisSettings& s) : m_s(s), m_ringSize(std::max(1, s.m_distantNb)) {}

  AnalysisResult run(const std::string& text) {
    std::string word;
    for (size_t f = 0; f < text.size(); ++f) {
      bool letter = isWordChar(text[f]);
      if (letter) word += text[f];
      if (m_s.m_phrasesActive) matchPhrasesAt(text, f, m_s.m_phrasesList, m_result.phraseRanges);
      if ((!letter || f + 1 == text.size()) && !word.empty()) {
        int start = static_cast<int>(f + 1 - word.size()) - (letter ? 0 : 1);
        if (m_s.m_wordsActive && isSearchedWord(word, m_s))
          m_result.searchedStarts.push_back(start);
        if (!isSkipped(word, m_s)) record(word, start);
        word.clear();
      }
    }
    m_result.report = report();
    return m_result;
  }

 private:
  struct Entry {
    int count = 0;
    std::vector<int> ring;
  };

  void record(const std::string& word, int start) {
    m_entries.try_emplace(word, Entry{0, std::vector<int>(m_ringSize, -1)});
    std::string run = word.substr(0, 2);
    for (auto it = m_entries.lower_bound(run); it != m_entries.end() && it->first.starts_with(run);
         ++it) {
      if (!areSimilar(word, it->first, m_s)) continue;
      Entry& e = it->second;
      int m = e.count % m_ringSize;
      ++e.count;
      e.ring[m] = start;
      int oldest = e.ring[(m + 1) % m_ringSize];
      if (m_s.m_distantActive && oldest != -1 && start - oldest < m_s.m_distantDistance) {
        m_result.distantStarts.insert(m_result.distantStarts.end(), e.ring.begin(), e.ring.end());
      }
      int previous = e.ring[(m + m_ringSize - 1) % m_ringSize];
      if (m_s.m_closeActive && previous != -1 && start - previous < m_s.m_closeDistance) {
        m_result.closeStarts.push_back(previous);
        m_result.closeStarts.push_back(start);
      }
    }
  }

  std::string report() const {
    std::vector<std::pair<int, const std::string*>> ranking;
    for (const auto& [key, entry] : m_entries) ranking.push_back({entry.count, &key});
    std::stable_sort(ranking.begin(), ranking.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::string out;
    int mainLines = 0;
    for (size_t p = 0; p < ranking.size() && mainLines < 100; ++p) {
      if (!ranking[p].second) continue;
      char line[64];
      std::snprintf(line, sizeof line, "%3d : ", ranking[p].first);
      out += line + *ranking[p].second + "\n";
      for (size_t o = p + 1; o < ranking.size(); ++o) {
        if (m_s.m_sameActive && ranking[o].second &&
            areSimilar(*ranking[p].second, *ranking[o].second, m_s)) {
          out += "       " + *ranking[o].second + "\n";
          ranking[o].second = nullptr;
        }
      }
      ++mainLines;
    }
    return out;
  }

  const AnalysisSettings& m_s;
  int m_ringSize;
  std::map<std::string, Entry> m_entries;
  AnalysisResult m_result;
};

std::vector<int> eachOnceAscending(const std::vector<int>& starts) {
  std::set<int> unique(starts.begin(), starts.end());
  return {unique.begin(), unique.end()};
}

std::string randomText(std::mt19937& random, const std::string& alphabet, size_t size) {
  std::string text;
  for (size_t i = 0; i < size; ++i) text += alphabet[random() % alphabet.size()];
  return text;
}

WordList randomWords(std::mt19937& random, const std::string& letters, size_t count,
                     size_t longest) {
  WordList words;
  for (size_t i = 0; i < count; ++i)
    words.push_back(randomText(random, letters, random() % longest));
  return words;
}

AnalysisSettings randomSettings(std::mt19937& random) {
  AnalysisSettings s = defaults();
  s.m_sameActive = random() % 4 != 0;
  s.m_samePercent = static_cast<int>(random() % 101);
  s.m_sameNbLetters = static_cast<int>(random() % 7);
  s.m_distantNb = 2 + static_cast<int>(random() % 7);
  s.m_distantDistance = 1 + static_cast<int>(random() % 400);
  s.m_closeDistance = 1 + static_cast<int>(random() % 80);
  s.m_closeActive = random() % 5 != 0;
  s.m_distantActive = random() % 5 != 0;
  s.m_skipActive = random() % 2;
  s.m_skipNbLettersMin = 1 + static_cast<int>(random() % 3);
  s.m_skipNbLettersMax = 3 + static_cast<int>(random() % 8);
  s.m_skipWords = randomWords(random, "abc", random() % 3, 4);
  s.m_wordsActive = random() % 3 != 0;
  s.m_wordsLetterMin = static_cast<int>(random() % 8);
  s.m_wordsLetterMax = static_cast<int>(random() % 8);
  s.m_wordsList = randomWords(random, "abc", random() % 3, 5);
  s.m_wordsPartsList = randomWords(random, "abc", random() % 2, 4);
  s.m_phrasesActive = 1;
  s.m_phrasesList = randomWords(random, "ab c", random() % 4, 6);
  return s;
}

TEST(AnalysisPassIdentity, AgreesWithThePlainPassOnRandomTextsAndSettings) {
  std::mt19937 random(2024);
  // Few letters make long shared beginnings and large families common.
  const std::string alphabets[] = {"ab ", "abc  ,", "abcd \n", "aAbB\xE9\xC9 -"};
  for (int round = 0; round < 400; ++round) {
    AnalysisSettings s = randomSettings(random);
    const std::string& alphabet = alphabets[round % 4];
    std::string text = lowercaseText(randomText(random, alphabet, random() % 3000));
    AnalysisResult expected = PlainPass(s).run(text);
    // The work shared between two threads, as long texts have it, must
    // give the same lists in the same order as one thread doing it all.
    for (PassThreads threads : {PassThreads::kOne, PassThreads::kTwo}) {
      AnalysisResult result = analyzeText(text, s, {}, RepeatedStarts::kKept, threads);
      ASSERT_EQ(result.phraseRanges, expected.phraseRanges) << "round " << round;
      ASSERT_EQ(result.searchedStarts, expected.searchedStarts) << "round " << round;
      ASSERT_EQ(result.distantStarts, expected.distantStarts) << "round " << round;
      ASSERT_EQ(result.closeStarts, expected.closeStarts) << "round " << round;
      ASSERT_EQ(result.report, expected.report) << "round " << round;
    }
  }
}

// Long enough for the automatic choice to share the work, with words from
// a few hundred forms, most sharing beginnings, so that tables, families
// and lists grow large in both shares.
TEST(AnalysisPassIdentity, TwoThreadsAgreeWithOneOnALongText) {
  std::mt19937 random(99);
  const char* const pieces[] = {"con", "tra", "st", "ment", "ion", "a", "re", "pre", "Ou", "\xE9"};
  std::string text;
  while (text.size() < 300 * 1024) {
    int parts = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < parts; ++i) text += pieces[random() % 10];
    text += random() % 9 == 0 ? ".\n" : " ";
  }
  text = lowercaseText(text);
  const std::string& wholeText = text;
  AnalysisSettings everything = defaults();
  everything.m_wordsActive = 1;
  everything.m_wordsLetterMin = 9;
  everything.m_wordsLetterMax = 10;
  everything.m_wordsPartsList = {"tra"};
  everything.m_phrasesActive = 1;
  everything.m_phrasesList = {"con tra", "a re"};
  everything.m_echoes.phrasesActive = true;
  everything.m_echoes.openingsActive = true;
  AnalysisSettings letters = defaults();
  letters.m_sameNbLetters = 1;
  letters.m_samePercent = 10;
  // Families of a hundred forms make the kept lists grow with the square of
  // the text: a sixth of it is as hard a case for the two shares, and the
  // automatic choice is checked on the whole text with the other settings.
  const std::string lettersText = text.substr(0, text.find('\n', 48 * 1024) + 1);
  const AnalysisSettings plain = defaults();
  struct Case {
    const AnalysisSettings& settings;
    const std::string& text;
  };
  for (const Case& c :
       {Case{plain, wholeText}, Case{everything, wholeText}, Case{letters, lettersText}}) {
    const AnalysisSettings& s = c.settings;
    const std::string& text = c.text;
    // With two threads the echoes run beside the pass.
    AnalysisResult alone =
        analyzeText(text, s, {}, RepeatedStarts::kKept, PassThreads::kOne, PhraseList::kCounted);
    AnalysisResult shared =
        analyzeText(text, s, {}, RepeatedStarts::kKept, PassThreads::kTwo, PhraseList::kCounted);
    ASSERT_FALSE(alone.closeStarts.empty());
    ASSERT_EQ(alone.phraseEchoes.empty(), !s.m_echoes.phrasesActive);
    EXPECT_EQ(shared.phraseEchoes, alone.phraseEchoes);
    EXPECT_EQ(shared.sentenceOpenings, alone.sentenceOpenings);
    EXPECT_EQ(shared.topPhrases, alone.topPhrases);
    EXPECT_EQ(shared.phraseRanges, alone.phraseRanges);
    EXPECT_EQ(shared.searchedStarts, alone.searchedStarts);
    EXPECT_EQ(shared.distantStarts, alone.distantStarts);
    EXPECT_EQ(shared.closeStarts, alone.closeStarts);
    EXPECT_EQ(shared.report, alone.report);
    AnalysisResult collapsed = analyzeText(text, s, {}, RepeatedStarts::kCollapsed);
    EXPECT_EQ(collapsed.closeStarts, eachOnceAscending(alone.closeStarts));
    EXPECT_EQ(collapsed.distantStarts, eachOnceAscending(alone.distantStarts));
  }
}

TEST(AnalysisPassIdentity, TheGaugeGetsEveryValueCountingByteByByteWouldGiveIt) {
  std::mt19937 random(77);
  for (int round = 0; round < 30; ++round) {
    std::string text = randomText(random, "ab ", random() % 9000);
    std::uint64_t before = random() % 5000;
    std::vector<int> expected;
    std::uint64_t counter = before;
    for (size_t f = 0; f < text.size(); ++f) {
      if (counter++ % 2000 == 0) {
        expected.push_back(gaugeValue(0.5 * static_cast<double>(f) / text.size()));
      }
    }
    for (PassThreads threads : {PassThreads::kOne, PassThreads::kTwo}) {
      progressCounter = before;
      std::vector<int> values;
      analyzeText(
          text, defaults(), [&](int value) { values.push_back(value); }, RepeatedStarts::kKept,
          threads);
      ASSERT_EQ(values, expected) << "round " << round;
      ASSERT_EQ(progressCounter, counter) << "round " << round;
    }
  }
}

}  // namespace

namespace {

// Every word equivalent to every other, rings of 99 within the widest
// distance: the rules append each start again and again.
AnalysisSettings widestRepetitions() {
  AnalysisSettings s = defaults();
  s.m_sameNbLetters = 0;
  s.m_samePercent = 0;
  s.m_distantNb = 99;
  s.m_distantDistance = 999999;
  s.m_closeDistance = 999999;
  s.m_skipActive = 0;
  return s;
}

TEST(AnalysisPassCollapsed, KeepsEachStartOnceInAscendingOrder) {
  std::mt19937 random(3);
  for (int round = 0; round < 30; ++round) {
    std::string text;
    for (int i = 0; i < 300; ++i) {
      text += std::string(1 + random() % 4, static_cast<char>('a' + random() % 3));
      text += ' ';
    }
    AnalysisSettings s = round % 2 ? defaults() : widestRepetitions();
    s.m_distantNb = 2 + round % 5;
    AnalysisResult kept = analyzeText(text, s);
    for (PassThreads threads : {PassThreads::kOne, PassThreads::kTwo}) {
      AnalysisResult collapsed = analyzeText(text, s, {}, RepeatedStarts::kCollapsed, threads);
      EXPECT_EQ(collapsed.closeStarts, eachOnceAscending(kept.closeStarts));
      EXPECT_EQ(collapsed.distantStarts, eachOnceAscending(kept.distantStarts));
      EXPECT_EQ(collapsed.searchedStarts, kept.searchedStarts);
      EXPECT_EQ(collapsed.phraseRanges, kept.phraseRanges);
      EXPECT_EQ(collapsed.report, kept.report);
    }
  }
}

TEST(AnalysisPassCounted, CountsWhatTheFullListsHoldAndKeepsNoneOfIt) {
  std::mt19937 random(5);
  for (int round = 0; round < 20; ++round) {
    std::string text;
    for (int i = 0; i < 300; ++i) {
      text += std::string(1 + random() % 4, static_cast<char>('a' + random() % 3));
      text += ' ';
    }
    AnalysisSettings s = round % 2 ? defaults() : widestRepetitions();
    AnalysisResult kept = analyzeText(text, s);
    EXPECT_EQ(kept.closeStartCount, kept.closeStarts.size());
    EXPECT_EQ(kept.distantStartCount, kept.distantStarts.size());
    for (PassThreads threads : {PassThreads::kOne, PassThreads::kTwo}) {
      for (RepeatedStarts repeats : {RepeatedStarts::kCollapsed, RepeatedStarts::kCounted}) {
        AnalysisResult other = analyzeText(text, s, {}, repeats, threads);
        EXPECT_EQ(other.closeStartCount, kept.closeStarts.size());
        EXPECT_EQ(other.distantStartCount, kept.distantStarts.size());
        EXPECT_EQ(other.report, kept.report);
        if (repeats == RepeatedStarts::kCounted) {
          EXPECT_TRUE(other.closeStarts.empty());
          EXPECT_TRUE(other.distantStarts.empty());
          EXPECT_EQ(other.searchedStarts, kept.searchedStarts);
          EXPECT_EQ(other.phraseRanges, kept.phraseRanges);
        }
      }
    }
  }
}

TEST(AnalysisPassCollapsed, StaysWithinTheNumberOfWordsWhereTheFullListsExplode) {
  std::string text;
  for (int i = 0; i < 12000; ++i) text += "w" + std::to_string(i % 400) + " ";
  AnalysisResult collapsed = analyzeText(text, widestRepetitions(), {}, RepeatedStarts::kCollapsed);
  // Kept in full, the distant list would hold hundreds of millions of starts.
  EXPECT_LE(collapsed.distantStarts.size(), 12000u);
  EXPECT_GT(collapsed.distantStarts.size(), 11000u);
  EXPECT_LE(collapsed.closeStarts.size(), 12000u);
}

// A sink that throws RunStopped ends the pass, alone or shared: the second
// thread stops at its next step too, and a later pass runs whole.
TEST(AnalysisPassStopped, ASinkStopsThePassOnEitherThread) {
  std::string text;
  for (int i = 0; i < 60000; ++i) text += "le chat dort sur la maison ";
  // The echoes, running beside the pass, are waited for.
  AnalysisSettings s = AnalysisSettings::Defaults();
  s.m_echoes.phrasesActive = true;
  for (PassThreads threads : {PassThreads::kOne, PassThreads::kTwo}) {
    int calls = 0;
    const ProgressSink stopAtTheThird = [&calls](int) {
      if (++calls == 3) throw RunStopped();
    };
    EXPECT_THROW(analyzeText(text, s, stopAtTheThird, RepeatedStarts::kKept, threads), RunStopped);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(analyzeText(text, s, {}, RepeatedStarts::kKept, threads).closeStarts.size(),
              analyzeText(text, s).closeStarts.size());
  }
}

}  // namespace

}  // namespace verbolt
