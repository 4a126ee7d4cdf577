// Phrase echoes and sentence openings: a writer's cases, then the fast
// search against a plain one on random texts built to hold echoes of every
// length, overlapping, at the text's ends and across paragraphs.
#include "analysis/phrase_echoes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "analysis/equivalence.h"
#include "analysis/sentence_marks.h"
#include "text/words.h"

namespace verbolt {

namespace {

std::vector<std::string> found(std::string_view text, const std::vector<EchoRange>& ranges) {
  std::vector<std::string> phrases;
  for (const EchoRange& range : ranges) {
    phrases.emplace_back(text.substr(range.begin, range.end - range.begin));
  }
  return phrases;
}

AnalysisSettings skipping() {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.m_skipWords = {"the", "of", "a", "but", "she"};
  return settings;
}

TEST(PhraseEchoes, TheLongestPhraseComesBackOnce) {
  const std::string text = lowercaseText(
      "She couldn't help but smile. The rain came. She couldn't help but laugh at the edge "
      "of the road, at the edge of the world.");
  const std::vector<EchoRange> echoes = findPhraseEchoes(text, skipping(), EchoSettings());
  // "but" is listed: the phrase ends before it. "the edge of the" ends with
  // a listed word too; "at the edge" is the longest that may echo.
  EXPECT_EQ(found(text, echoes), (std::vector<std::string>{"couldn't help", "couldn't help",
                                                           "at the edge", "at the edge"}));
  EXPECT_EQ(echoes[0].earlier, kNoEarlier);
  EXPECT_EQ(echoes[1].earlier, echoes[0].begin);
  EXPECT_EQ(echoes[3].earlier, echoes[2].begin);
}

TEST(PhraseEchoes, DistanceSentencesAndSkippedWordsBoundThem) {
  EchoSettings near;
  near.distance = 30;
  const std::string far = "for a moment he waited. " + std::string(40, '-') + " for a moment.";
  EXPECT_TRUE(findPhraseEchoes(far, skipping(), near).empty());
  EXPECT_EQ(findPhraseEchoes(far, skipping(), EchoSettings()).size(), 2u);
  // A sentence's end parts two words; a phrase of short words only, or of
  // listed words, is no echo.
  EXPECT_EQ(
      findPhraseEchoes("the rain came down, the rain came", skipping(), EchoSettings()).size(), 2u);
  EXPECT_TRUE(
      findPhraseEchoes("the rain. came down, the rain came", skipping(), EchoSettings()).empty());
  EXPECT_TRUE(findPhraseEchoes("and so on and so on", skipping(), EchoSettings()).empty());
  EXPECT_TRUE(findPhraseEchoes("of the of the", skipping(), EchoSettings()).empty());
}

TEST(SentenceOpenings, ThreeOfFiveOpeningAlike) {
  const std::string text = lowercaseText(
      "She ran. \x93She stopped.\x94 The door was open. \x97 She went in.\nShe sat.\n\n"
      "Later the rain came. It fell. It stopped. He left.");
  const std::vector<EchoRange> openings = findSentenceOpenings(text, EchoSettings());
  EXPECT_EQ(found(text, openings), (std::vector<std::string>{"she", "she", "she", "she"}));
  EXPECT_EQ(openings[0].earlier, kNoEarlier);
  EXPECT_EQ(openings[3].earlier, openings[2].begin);
  EXPECT_EQ(findEchoes(text, skipping(), EchoSettings()).openings, openings);
  EchoSettings four;
  four.openingRepeats = 5;
  EXPECT_TRUE(findSentenceOpenings(text, four).empty());
}

// ---- The plain versions, written from the rules' words. ----

struct PlainWord {
  size_t begin, end;
  std::string text;
  size_t sentence;
};

std::vector<PlainWord> plainWords(const std::string& text) {
  std::vector<PlainWord> words;
  size_t sentence = 0;
  size_t i = 0;
  bool ended = false;
  while (i < text.size()) {
    if (!isWordChar(text[i])) {
      ended = ended || endsASentence(text[i]);
      ++i;
      continue;
    }
    size_t start = i;
    while (i < text.size() && isWordChar(text[i])) ++i;
    if (ended && !words.empty()) ++sentence;
    ended = false;
    words.push_back({start, i, text.substr(start, i - start), sentence});
  }
  return words;
}

std::vector<EchoRange> plainPhraseEchoes(const std::string& text, const AnalysisSettings& s,
                                         const EchoSettings& e) {
  const std::vector<PlainWord> w = plainWords(text);
  auto listed = [&](const std::string& word) {
    if (!s.m_skipActive) return false;
    for (const std::string& skip : s.m_skipWords) {
      if (skip == word) return true;
    }
    return false;
  };
  auto counted = [&](const std::string& word) {
    if (!s.m_skipActive) return true;
    return !listed(word) && static_cast<int>(word.size()) >= s.m_skipNbLettersMin &&
           static_cast<int>(word.size()) <= s.m_skipNbLettersMax;
  };
  auto phrase = [&](size_t i, size_t k) {
    if (i + k > w.size() || w[i].sentence != w[i + k - 1].sentence) return false;
    if (listed(w[i].text) || listed(w[i + k - 1].text)) return false;
    for (size_t x = i; x < i + k; ++x) {
      if (counted(w[x].text)) return true;
    }
    return false;
  };
  auto same = [&](size_t i, size_t j, size_t k) {
    for (size_t x = 0; x < k; ++x) {
      if (w[i + x].text != w[j + x].text) return false;
    }
    return true;
  };
  struct Found {
    size_t i, k, earlier;
  };
  std::vector<Found> all;
  for (size_t k = e.minWords; k <= static_cast<size_t>(e.maxWords); ++k) {
    for (size_t i = 0; i < w.size(); ++i) {
      if (!phrase(i, k)) continue;
      bool echoes = false;
      size_t earlier = kNoEarlier;
      for (size_t j = 0; j < w.size(); ++j) {
        if (j == i || !phrase(j, k) || !same(i, j, k)) continue;
        if (j < i ? j + k > i : i + k > j) continue;  // overlapping
        size_t apart = j < i ? w[i].begin - w[j].begin : w[j].begin - w[i].begin;
        if (apart > e.distance) continue;
        echoes = true;
        if (j < i) earlier = w[j].begin;  // the last such j is the nearest
      }
      if (echoes) all.push_back({i, k, earlier});
    }
  }
  std::vector<EchoRange> ranges;
  for (const Found& f : all) {
    bool inside = false;
    for (const Found& g : all) {
      inside = inside || (g.k > f.k && g.i <= f.i && f.i + f.k <= g.i + g.k);
    }
    if (!inside) ranges.push_back({w[f.i].begin, w[f.i + f.k - 1].end, f.earlier});
  }
  std::sort(ranges.begin(), ranges.end(), [](const EchoRange& a, const EchoRange& b) {
    return a.begin != b.begin ? a.begin < b.begin : a.end > b.end;
  });
  return ranges;
}

std::vector<EchoRange> plainOpenings(const std::string& text, const EchoSettings& e) {
  const std::vector<PlainWord> w = plainWords(text);
  std::vector<const PlainWord*> first;
  for (const PlainWord& word : w) {
    if (first.empty() || first.back()->sentence != word.sentence) first.push_back(&word);
  }
  std::vector<EchoRange> ranges;
  std::vector<bool> flagged(first.size());
  for (size_t s = 0; s < first.size(); ++s) {
    // Some stretch of consecutive sentences holding s holds enough alike.
    for (size_t start = s + 1 > e.openingSentences ? s + 1 - e.openingSentences : 0; start <= s;
         ++start) {
      size_t alike = 0;
      for (size_t t = start; t < std::min(first.size(), start + e.openingSentences); ++t) {
        alike += first[t]->text == first[s]->text ? 1 : 0;
      }
      if (alike >= e.openingRepeats) flagged[s] = true;
    }
  }
  for (size_t s = 0; s < first.size(); ++s) {
    if (!flagged[s]) continue;
    size_t earlier = kNoEarlier;
    for (size_t t = 0; t < s; ++t) {
      if (flagged[t] && first[t]->text == first[s]->text && s - t < e.openingSentences) {
        earlier = first[t]->begin;
      }
    }
    ranges.push_back({first[s]->begin, first[s]->end, earlier});
  }
  return ranges;
}

// Few distinct words, so that phrases come back; sentence ends, paragraph
// ends, quotes and dashes among them.
std::string randomText(std::mt19937& random, size_t words) {
  static const char* kWords[] = {"she",    "the", "rain", "of",  "moment", "for",  "a",
                                 "couldn", "t",   "help", "but", "house",  "edge", "stood"};
  static const char* kGaps[] = {" ", " ", " ", " ", ", ", ". ", "\n", "! \x93", "? \x97 ", "\x85 "};
  std::string text;
  std::uniform_int_distribution<size_t> word(0, std::size(kWords) - 1);
  std::uniform_int_distribution<size_t> gap(0, std::size(kGaps) - 1);
  for (size_t i = 0; i < words; ++i) {
    text += kWords[word(random)];
    text += kGaps[gap(random)];
  }
  return text;
}

TEST(PhraseEchoesAgainstThePlainRule, RandomTexts) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    const std::string text = randomText(random, 20 + round % 120);
    AnalysisSettings settings = skipping();
    settings.m_skipActive = round % 5 != 0;
    settings.m_skipNbLettersMin = 1 + round % 5;
    EchoSettings echoes;
    echoes.distance = 10 + static_cast<size_t>(round * 7 % 300);
    echoes.minWords = 1 + round % 3;
    echoes.maxWords = echoes.minWords + round % 6;
    echoes.openingSentences = 1 + round % 6;
    echoes.openingRepeats = 1 + round % 4;
    const std::vector<EchoRange> plain = plainPhraseEchoes(text, settings, echoes);
    ASSERT_EQ(findPhraseEchoes(text, settings, echoes), plain) << "round " << round << ": " << text;
    // Two halves searched at once find the same, wherever the middle falls
    // among the echoes.
    ASSERT_EQ(phraseEchoesOf(wordsOf(text, settings), echoes, EchoShares::kTwo), plain)
        << "round " << round << ": " << text;
    ASSERT_EQ(findSentenceOpenings(text, echoes), plainOpenings(text, echoes))
        << "round " << round << ": " << text;
  }
}

TEST(PhraseEchoesAgainstThePlainRule, ALongTextWhoseRecentPhrasesComeAndGo) {
  // Thousands of occurrences enter and leave the memory of recent phrases.
  std::mt19937 random(8122026);
  const std::string text = randomText(random, 4000);
  AnalysisSettings settings = skipping();
  for (size_t distance : {40u, 400u, 3000u}) {
    EchoSettings echoes;
    echoes.distance = distance;
    const std::vector<EchoRange> plain = plainPhraseEchoes(text, settings, echoes);
    EXPECT_EQ(findPhraseEchoes(text, settings, echoes), plain) << distance;
    EXPECT_EQ(phraseEchoesOf(wordsOf(text, settings), echoes, EchoShares::kTwo), plain) << distance;
  }
}

}  // namespace

}  // namespace verbolt
