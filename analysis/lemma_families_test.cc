// Families by dictionary form, with a dictionary of a few words: similar
// words share a lemma, whatever their beginnings, in every rule that uses
// similarity.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "analysis/analysis_pass.h"
#include "analysis/equivalence.h"
#include "text/words.h"

namespace verbolt {

namespace {

// A dictionary that knows the lemmas it is given, and counts the questions.
class FakeLemmas : public LemmaSource {
 public:
  explicit FakeLemmas(const std::map<std::string, std::vector<int>>& lemmas) {
    for (const auto& [word, ids] : lemmas) m_lemmas[word] = ids;
  }

  const std::vector<int>& lemmasOf(std::string_view word) override {
    ++m_questions[std::string(word)];
    m_askingThreads.push_back(std::this_thread::get_id());
    auto found = m_lemmas.find(std::string(word));
    return found == m_lemmas.end() ? m_unknown : found->second;
  }

  std::map<std::string, int> m_questions;
  std::vector<std::thread::id> m_askingThreads;

 private:
  std::map<std::string, std::vector<int>> m_lemmas;
  const std::vector<int> m_unknown;
};

enum Lemma { kManger = 1, kSavon, kSavoir, kAller, kHomme };

std::shared_ptr<FakeLemmas> frenchLemmas() {
  return std::make_shared<FakeLemmas>(std::map<std::string, std::vector<int>>{
      {"mangeons", {kManger}},
      {"mang\xE8rent", {kManger}},
      {"manger", {kManger}},
      {"savon", {kSavon}},
      {"savoir", {kSavoir}},
      {"sut", {kSavoir}},
      {"savons", {kSavon, kSavoir}},
      {"va", {kAller}},
      {"allons", {kAller}},
      {"homme", {kHomme}},
      {"hommes", {kHomme}},
  });
}

AnalysisSettings byLemma(std::shared_ptr<LemmaSource> lemmas) {
  AnalysisSettings s = AnalysisSettings::Defaults();
  s.m_skipActive = 0;  // every word counts, however short
  s.m_lemmas = std::move(lemmas);
  return s;
}

AnalysisResult analyze(const std::string& text, const AnalysisSettings& s,
                       PassThreads threads = PassThreads::kAutomatic) {
  return analyzeText(lowercaseText(text), s, {}, RepeatedStarts::kKept, threads);
}

TEST(LemmaFamilies, WordsAreSimilarWhenTheyShareALemma) {
  AnalysisSettings s = byLemma(frenchLemmas());
  EXPECT_TRUE(areSimilar("mangeons", "mang\xE8rent", s));
  EXPECT_TRUE(areSimilar("manger", "mangeons", s));
  EXPECT_TRUE(areSimilar("va", "allons", s));
  EXPECT_TRUE(areSimilar("sut", "savoir", s));
  // Beginnings no longer count: savon is not savoir.
  EXPECT_FALSE(areSimilar("savon", "savoir", s));
  // A word of two lemmas joins both families.
  EXPECT_TRUE(areSimilar("savons", "savon", s));
  EXPECT_TRUE(areSimilar("savons", "sut", s));
  // A word the dictionary does not know is a family of its own.
  EXPECT_TRUE(areSimilar("zorglub", "zorglub", s));
  EXPECT_FALSE(areSimilar("zorglub", "zorglubs", s));
  // With similar words off, only equal words are the same word.
  s.m_sameActive = 0;
  EXPECT_FALSE(areSimilar("mangeons", "manger", s));
}

TEST(LemmaFamilies, ElisionsAreSkippedOnlyInThisMode) {
  AnalysisSettings s = byLemma(frenchLemmas());
  for (const char* elision : {"l", "d", "qu", "j", "n", "s", "c"}) {
    EXPECT_TRUE(isSkipped(elision, s)) << elision;
  }
  EXPECT_FALSE(isSkipped("la", s));
  EXPECT_FALSE(isSkipped("que", s));
  EXPECT_FALSE(isSkipped("m", s));
  s.m_lemmas.reset();
  EXPECT_FALSE(isSkipped("l", s));
}

TEST(LemmaFamilies, ElidedWordsCountAsTheWordAfterTheApostrophe) {
  // Straight and typographic (0x92) apostrophes alike.
  AnalysisResult r = analyze("L'homme, l\x92homme et les hommes.", byLemma(frenchLemmas()));
  EXPECT_EQ(r.report, "  3 : homme\n       hommes\n  1 : et\n  1 : les\n");
}

TEST(LemmaFamilies, ConjugationsMakeOneFamilyInTheTableAndTheTop100) {
  const std::string text = "Nous mangeons. Ils mang\xE8rent. Manger!";
  AnalysisSettings s = byLemma(frenchLemmas());
  s.m_closeDistance = 20;
  AnalysisResult r = analyze(text, s);
  // Entries count the forms met from their own first occurrence on.
  EXPECT_EQ(r.report.substr(0, r.report.find("  1 : ils")),
            "  3 : mangeons\n       mang\xE8rent\n       manger\n");
  // mangeons (5) and mangerent (19) are 14 apart; mangerent and manger
  // (30) 11 apart, in two entries each.
  EXPECT_EQ(r.closeStarts, (std::vector<int>{5, 19, 19, 30, 19, 30}));
}

TEST(LemmaFamilies, AWordOfTwoLemmasJoinsBothFamilies) {
  AnalysisSettings s = byLemma(frenchLemmas());
  s.m_closeDistance = 30;
  AnalysisResult r = analyze("savon savoir savons", s);
  // savons (13) is close to savoir (6) in savoir's entry and to savon (0)
  // in savon's, in key order; savon and savoir are never a pair.
  EXPECT_EQ(r.closeStarts, (std::vector<int>{6, 13, 0, 13}));
  EXPECT_EQ(r.report, "  2 : savoir\n       savons\n  2 : savon\n");
}

TEST(LemmaFamilies, FamiliesLargerThanAnyBeginningRunKeepEveryForm) {
  std::map<std::string, std::vector<int>> forms;
  std::string text;
  for (int i = 0; i < 100; ++i) {
    std::string word = "f" + std::string(1, static_cast<char>('a' + i % 26)) + std::to_string(i);
    forms[word] = {7};
    text += word + " ";
  }
  AnalysisSettings s = byLemma(std::make_shared<FakeLemmas>(forms));
  AnalysisResult r = analyze(text, s);
  EXPECT_EQ(r.report.substr(0, r.report.find('\n')), "100 : fa0");
  EXPECT_EQ(std::count(r.report.begin(), r.report.end(), '\n'), 100);
  // The i-th form goes to the entries of the i forms before it, each of
  // which last saw the form just before: one close pair in each.
  EXPECT_EQ(r.closeStartCount, 2u * (99 * 100 / 2));
}

TEST(LemmaFamilies, TheDictionaryIsAskedPerDistinctWordNotPerOccurrence) {
  std::string once = "Nous mangeons, va, allons! Savons-nous? Zorglub sut. ";
  std::string often;
  for (int i = 0; i < 50; ++i) often += once;
  auto asked = [](const std::string& text) {
    auto lemmas = frenchLemmas();
    analyze(text, byLemma(lemmas));
    return lemmas->m_questions;
  };
  EXPECT_EQ(asked(often), asked(once));
}

TEST(LemmaFamilies, TheLongTextPassAsksFromTheCallingThreadAlone) {
  std::string text;
  while (text.size() < 600 * 1024) text += "Nous mangeons, ils mang\xE8rent, va et allons. ";
  auto lemmas = frenchLemmas();
  AnalysisResult two = analyze(text, byLemma(lemmas), PassThreads::kTwo);
  for (std::thread::id asking : lemmas->m_askingThreads) {
    ASSERT_EQ(asking, std::this_thread::get_id());
  }
  AnalysisResult one = analyze(text, byLemma(lemmas), PassThreads::kOne);
  EXPECT_EQ(two.report, one.report);
  EXPECT_EQ(two.closeStarts, one.closeStarts);
  EXPECT_EQ(two.distantStarts, one.distantStarts);
}

}  // namespace

}  // namespace verbolt
