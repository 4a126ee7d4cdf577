// The Debian dictionaries as the families by dictionary form read them:
// French conjugations and elisions, words of two lemmas, unknown words.
#include "lemma/dictionary.h"

#include <gtest/gtest.h>

#include "analysis/analysis_pass.h"
#include "analysis/equivalence.h"
#include "text/words.h"

namespace verbolt {

namespace {

class Dictionary : public ::testing::Test {
 protected:
  void SetUp() override {
    for (Language language : {Language::kFrench, Language::kEnglish}) {
      std::optional<DictionaryFiles> files = findDictionary(language);
      ASSERT_TRUE(files) << dictionaryPackage(language) << " is not installed";
    }
  }

  static AnalysisSettings familiesOf(Language language) {
    AnalysisSettings s = AnalysisSettings::Defaults();
    s.m_lemmas = loadLemmas(*findDictionary(language));
    return s;
  }
};

TEST_F(Dictionary, FrenchConjugationsShareTheirInfinitive) {
  const AnalysisSettings s = familiesOf(Language::kFrench);
  EXPECT_TRUE(areSimilar("mangeons", "mang\xE8rent", s));
  EXPECT_TRUE(areSimilar("mangeons", "manger", s));
  EXPECT_TRUE(areSimilar("allons", "va", s));
  EXPECT_TRUE(areSimilar("sut", "savoir", s));
  EXPECT_TRUE(areSimilar("\xE9tait", "fut", s));
  EXPECT_TRUE(areSimilar("hommes", "homme", s));
  EXPECT_FALSE(areSimilar("savon", "savoir", s));
  EXPECT_FALSE(areSimilar("utilisez", "utilisation", s));
}

TEST_F(Dictionary, AFormOfTwoLemmasJoinsBoth) {
  const AnalysisSettings s = familiesOf(Language::kFrench);
  EXPECT_EQ(s.m_lemmas->lemmasOf("savons").size(), 2u);
  EXPECT_TRUE(areSimilar("savons", "savon", s));
  EXPECT_TRUE(areSimilar("savons", "sut", s));
  EXPECT_TRUE(areSimilar("\xE9t\xE9", "\xE9tait", s));  // été: the summer, and être
}

TEST_F(Dictionary, AnUnknownWordIsAFamilyOfItsOwn) {
  const AnalysisSettings s = familiesOf(Language::kFrench);
  EXPECT_TRUE(s.m_lemmas->lemmasOf("zorglubons").empty());
  EXPECT_TRUE(areSimilar("zorglubons", "zorglubons", s));
  EXPECT_FALSE(areSimilar("zorglubons", "zorglub", s));
}

TEST_F(Dictionary, EnglishFormsShareTheirDictionaryWord) {
  const AnalysisSettings s = familiesOf(Language::kEnglish);
  EXPECT_TRUE(areSimilar("houses", "house", s));
  EXPECT_TRUE(areSimilar("walked", "walking", s));
  EXPECT_FALSE(areSimilar("cart", "carton", s));
}

TEST_F(Dictionary, AFrenchParagraphCountsElidedWordsAsTheirWord) {
  // Straight and typographic apostrophes, as the editor's bytes hold them;
  // sut, like every word under four letters, is skipped by its length.
  const std::string text =
      "L'homme savait qu\x92il mangerait. Nous mangeons, ils mang\xE8rent. "
      "Les hommes sauront ce que l\x92homme sut.";
  AnalysisResult r = analyzeText(lowercaseText(text), familiesOf(Language::kFrench));
  EXPECT_EQ(r.report,
            "  3 : homme\n       hommes\n"
            "  3 : mangerait\n       mangeons\n       mang\xE8rent\n"
            "  2 : savait\n       sauront\n"
            "  1 : nous\n");
}

TEST(DictionaryFiles, AFolderWithoutTheDictionaryHasNone) {
  EXPECT_FALSE(findDictionary(Language::kFrench, "/nonexistent"));
  EXPECT_EQ(dictionaryPackage(Language::kFrench), "hunspell-fr");
  EXPECT_EQ(dictionaryPackage(Language::kEnglish), "hunspell-en-us");
}

}  // namespace

}  // namespace verbolt
