// The Debian dictionaries as the families by dictionary form read them:
// French conjugations and elisions, words of two lemmas, unknown words.
#include "lemma/dictionary.h"

#include <gtest/gtest.h>

#include "analysis/analysis_pass.h"
#include "analysis/equivalence.h"
#include "lemma/irregular_forms.h"
#include "test_support/test_support.h"
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

TEST_F(Dictionary, EnglishIrregularFormsJoinTheirWord) {
  ASSERT_FALSE(readIrregularForms(irregularFormsFolder()).empty())
      << kIrregularFormsPackage << " is not installed";
  const AnalysisSettings s = familiesOf(Language::kEnglish);
  EXPECT_TRUE(areSimilar("went", "gone", s));
  EXPECT_TRUE(areSimilar("went", "going", s));
  EXPECT_TRUE(areSimilar("mice", "mouse", s));
  EXPECT_TRUE(areSimilar("children", "child", s));
  EXPECT_TRUE(areSimilar("better", "good", s));
  EXPECT_FALSE(areSimilar("went", "want", s));
}

TEST_F(Dictionary, EnglishStemsMadeByOtherWordsAffixesStayApart) {
  const AnalysisSettings s = familiesOf(Language::kEnglish);
  // A prefix taken off, a derivation, a letter of the dictionary.
  EXPECT_FALSE(areSimilar("details", "tail", s));
  EXPECT_FALSE(areSimilar("infringed", "fringe", s));
  EXPECT_FALSE(areSimilar("into", "unto", s));
  EXPECT_FALSE(areSimilar("hearth", "hear", s));
  EXPECT_FALSE(areSimilar("five", "fix", s));
  EXPECT_FALSE(areSimilar("table", "tens", s));
  // The inflections of a word the dictionary lists stay with it.
  EXPECT_TRUE(areSimilar("details", "detail", s));
  EXPECT_TRUE(areSimilar("infringed", "infringe", s));
  EXPECT_TRUE(areSimilar("building", "build", s));
  EXPECT_TRUE(areSimilar("living", "lived", s));
  EXPECT_TRUE(areSimilar("busier", "busy", s));
}

class IrregularFormsElsewhere : public test_support::FolderTest {};

TEST_F(IrregularFormsElsewhere, TheVariableChoosesTheLists) {
  test_support::writeFile(m_dir / "verb.exc", "zorgled zorgle\n");
  setenv(kIrregularFormsVariable, m_dir.c_str(), 1);
  std::optional<DictionaryFiles> files = findDictionary(Language::kEnglish);
  unsetenv(kIrregularFormsVariable);
  ASSERT_TRUE(files);
  AnalysisSettings s = AnalysisSettings::Defaults();
  s.m_lemmas = loadLemmas(*files);
  EXPECT_TRUE(areSimilar("zorgled", "zorgle", s));
  EXPECT_FALSE(areSimilar("went", "gone", s));
  // French has no such lists.
  EXPECT_TRUE(findDictionary(Language::kFrench)->irregularForms.empty());
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
