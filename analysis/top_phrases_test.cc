// The most repeated phrases: a writer's case, then the counting by growing
// lengths against a plain count of every phrase on random texts.
#include "analysis/top_phrases.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "analysis/equivalence.h"
#include "analysis/sentence_marks.h"
#include "text/words.h"

namespace verbolt {

namespace {

AnalysisSettings skipping() {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.m_skipWords = {"the", "of", "a", "but", "she", "and"};
  return settings;
}

std::vector<std::pair<std::string, int>> shown(std::string_view text,
                                               const std::vector<PhraseCount>& phrases) {
  std::vector<std::pair<std::string, int>> out;
  for (const PhraseCount& p : phrases) {
    out.emplace_back(text.substr(p.begin, p.end - p.begin), p.count);
  }
  return out;
}

TEST(TopPhrases, TheMostRepeatedComeFirstAndALongerPhraseTakesItsParts) {
  const std::string text = lowercaseText(
      "She couldn't help but smile. For a moment she waited. She couldn't help but laugh. "
      "For a moment the rain stopped. She couldn't help but cry, for a moment. The rain "
      "stopped and the rain came.");
  const auto top = shown(text, topPhrases(text, skipping(), EchoSettings(), 10));
  // "couldn't help" three times takes "help" phrases inside it; "for a
  // moment" three times; "the rain stopped" ends with no listed word.
  EXPECT_EQ(top, (std::vector<std::pair<std::string, int>>{
                     {"couldn't help", 3}, {"for a moment", 3}, {"rain stopped", 2}}));
  EXPECT_EQ(topPhrases(text, skipping(), EchoSettings(), 1).size(), 1u);
  EXPECT_TRUE(topPhrases("no phrase comes back here", skipping(), EchoSettings(), 10).empty());
}

TEST(TopPhrases, AListFullOfLongPhrasesLeavesOutEveryPartOfThem) {
  // Twenty phrases of six words, each as often as no other: every one
  // comes after its fourteen shorter parts would, were they not inside it.
  std::string text;
  for (int phrase = 0; phrase < 20; ++phrase) {
    for (int time = 0; time < 30 - phrase; ++time) {
      for (int word = 0; word < 6; ++word) {
        text += "w" + std::to_string(phrase) + "x" + std::to_string(word) + " ";
      }
      text += ".\n";
    }
  }
  const std::vector<PhraseCount> top = topPhrases(text, skipping(), EchoSettings(), 20);
  ASSERT_EQ(top.size(), 20u);
  for (int phrase = 0; phrase < 20; ++phrase) {
    EXPECT_EQ(phraseWords(text, top[phrase]),
              "w" + std::to_string(phrase) + "x0 w" + std::to_string(phrase) + "x1 w" +
                  std::to_string(phrase) + "x2 w" + std::to_string(phrase) + "x3 w" +
                  std::to_string(phrase) + "x4 w" + std::to_string(phrase) + "x5");
    EXPECT_EQ(top[phrase].count, 30 - phrase);
  }
}

// Every phrase of the lengths asked, counted plainly by its words.
std::vector<std::pair<std::string, int>> plainTop(std::string_view text,
                                                  const AnalysisSettings& settings,
                                                  const EchoSettings& echoes, size_t limit) {
  struct Word {
    std::string text;
    size_t sentence;
    bool listed;
    bool counted;
  };
  std::vector<Word> words;
  size_t sentence = 0, scanned = 0;
  forEachWord(text, [&](size_t begin, size_t end) {
    for (; scanned < begin; ++scanned) {
      if (endsASentence(static_cast<unsigned char>(text[scanned])) && !words.empty()) {
        ++sentence;
        scanned = begin;
        break;
      }
    }
    scanned = end;
    const std::string word(text.substr(begin, end - begin));
    words.push_back({word, sentence, findWordInList(word, settings.m_skipWords, settings) >= 0,
                     !isSkipped(word, settings)});
  });
  std::map<std::vector<std::string>, std::pair<int, size_t>> counts;
  for (size_t i = 0; i < words.size(); ++i) {
    for (int length = echoes.minWords; length <= echoes.maxWords; ++length) {
      const size_t last = i + length - 1;
      if (last >= words.size() || words[last].sentence != words[i].sentence) break;
      if (words[i].listed || words[last].listed) continue;
      std::vector<std::string> phrase;
      bool counted = false;
      for (size_t w = i; w <= last; ++w) {
        phrase.push_back(words[w].text);
        counted |= words[w].counted;
      }
      if (!counted) continue;
      auto [it, added] = counts.try_emplace(phrase, 0, i);
      ++it->second.first;
    }
  }
  struct Entry {
    std::vector<std::string> words;
    int count;
    size_t first;
  };
  std::vector<Entry> entries;
  for (const auto& [phrase, counted] : counts) {
    if (counted.first >= 2) entries.push_back({phrase, counted.first, counted.second});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (a.count != b.count) return a.count > b.count;
    if (a.words.size() != b.words.size()) return a.words.size() > b.words.size();
    return a.first < b.first;
  });
  std::vector<std::pair<std::string, int>> top;
  std::vector<Entry> kept;
  for (const Entry& e : entries) {
    if (kept.size() == limit) break;
    bool inside = false;
    for (const Entry& k : kept) {
      if (k.count != e.count || k.words.size() <= e.words.size()) continue;
      inside |= std::search(k.words.begin(), k.words.end(), e.words.begin(), e.words.end()) !=
                k.words.end();
    }
    if (inside) continue;
    kept.push_back(e);
    std::string joined;
    for (const std::string& w : e.words) joined += (joined.empty() ? "" : " ") + w;
    top.emplace_back(joined, e.count);
  }
  return top;
}

TEST(TopPhrases, AgreeWithAPlainCountOnRandomTexts) {
  std::mt19937 random(17);
  const std::vector<std::string> vocabulary = {"the",    "rain", "came", "down",   "and", "she",
                                               "smiled", "for",  "a",    "moment", "of",  "night"};
  const std::vector<std::string> marks = {" ", " ", " ", " ", ". ", ", ", "\n", "! "};
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const int length = 5 + static_cast<int>(random() % 300);
    for (int w = 0; w < length; ++w) {
      text += vocabulary[random() % (round % 2 ? vocabulary.size() : 5)];
      text += marks[random() % marks.size()];
    }
    EchoSettings echoes;
    echoes.minWords = 2 + static_cast<int>(random() % 2);
    echoes.maxWords = echoes.minWords + static_cast<int>(random() % 4);
    const AnalysisSettings settings = round % 3 ? skipping() : AnalysisSettings::Defaults();
    const size_t limit = 1 + random() % 20;
    std::vector<std::pair<std::string, int>> fast;
    for (const auto& [phrase, count] : shown(text, topPhrases(text, settings, echoes, limit))) {
      std::string flat;
      forEachWord(phrase, [&](size_t b, size_t e) {
        flat += (flat.empty() ? "" : " ") + phrase.substr(b, e - b);
      });
      fast.emplace_back(flat, count);
    }
    ASSERT_EQ(fast, plainTop(text, settings, echoes, limit)) << text;
  }
}

}  // namespace

}  // namespace verbolt
