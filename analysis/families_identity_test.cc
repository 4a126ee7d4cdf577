// With families by common beginning, the only kind before families by
// dictionary form came, every result stays what it was: the digests below
// were taken from the engine of that time, on a text and settings that
// exercise every rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis_pass.h"
#include "text/words.h"

namespace verbolt {

namespace {

// French and English words that share beginnings, elisions with both
// apostrophes, accented letters, and made-up words from a fixed sequence.
std::string sampleText() {
  const std::vector<std::string> words = {
      "utilisez", "utilisation",  "utiliser", "maison",  "maisons", "l'homme",   "qu\x92il",
      "mangeons", "mang\xE8rent", "savons",   "savoir",  "va",      "allons",    "table",
      "tablette", "said",         "told",     "able",    "ation",   "\xC9t\xE9", "\xE9t\xE9",
      "the",      "de",           "et",       "example", "of",      "phrase",    "to",
      "search",   "capable",      "creation"};
  const std::vector<std::string> syllables = {"co", "ra", "mi", "te", "lo", "su", "pa", "vi"};
  std::string text;
  std::uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
  };
  for (int i = 0; i < 60000; ++i) {
    if (next() % 3 == 0) {
      std::string made;
      for (unsigned s = 0; s < 2 + next() % 3; ++s) made += syllables[next() % syllables.size()];
      text += made;
    } else {
      text += words[next() % words.size()];
    }
    unsigned gap = next() % 20;
    text += gap == 0 ? ".\n" : gap == 1 ? ", " : " ";
  }
  return text;
}

std::uint64_t digest(const AnalysisResult& r) {
  std::uint64_t hash = 1469598103934665603u;
  auto add = [&hash](std::uint64_t value) {
    for (int byte = 0; byte < 8; ++byte) {
      hash = (hash ^ ((value >> (8 * byte)) & 0xFF)) * 1099511628211u;
    }
  };
  for (const std::vector<int>* list :
       {&r.phraseRanges, &r.searchedStarts, &r.distantStarts, &r.closeStarts}) {
    add(list->size());
    for (int value : *list) add(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)));
  }
  add(r.report.size());
  for (char c : r.report) add(static_cast<unsigned char>(c));
  add(r.distantStartCount);
  add(r.closeStartCount);
  return hash;
}

struct Case {
  const char* name;
  void (*change)(AnalysisSettings&);
  std::uint64_t expected;
};

TEST(FamiliesIdentity, BeginningFamiliesGiveTheResultsOfBefore) {
  const std::string text = lowercaseText(sampleText());
  const Case cases[] = {
      {"defaults", [](AnalysisSettings&) {}, 9736152952774377916u},
      {"similar words off", [](AnalysisSettings& s) { s.m_sameActive = 0; }, 2955799700341789558u},
      {"short beginnings",
       [](AnalysisSettings& s) {
         s.m_sameNbLetters = 2;
         s.m_samePercent = 30;
         s.m_skipActive = 0;
       },
       15064026083828625005u},
      {"every feature",
       [](AnalysisSettings& s) {
         s.m_wordsActive = 1;
         s.m_wordsLetterMin = 9;
         s.m_wordsLetterMax = 10;
         s.m_phrasesActive = 1;
         s.m_distantNb = 3;
         s.m_closeDistance = 300;
       },
       15523666988226424028u},
  };
  for (const Case& c : cases) {
    AnalysisSettings settings = AnalysisSettings::Defaults();
    c.change(settings);
    settings.ClampToRanges();
    for (PassThreads threads : {PassThreads::kOne, PassThreads::kTwo}) {
      AnalysisResult result = analyzeText(text, settings, {}, RepeatedStarts::kKept, threads);
      EXPECT_EQ(digest(result), c.expected)
          << c.name << (threads == PassThreads::kOne ? ", one thread" : ", two threads");
    }
  }
}

}  // namespace

}  // namespace verbolt
