#include "lemma/family_kind.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

TEST(FamilyKind, NamesGoBothWays) {
  for (FamilyKind kind :
       {FamilyKind::kBeginning, FamilyKind::kLemmaFrench, FamilyKind::kLemmaEnglish}) {
    EXPECT_EQ(familyKindNamed(nameOf(kind)), kind);
  }
  EXPECT_EQ(nameOf(FamilyKind::kLemmaFrench), "lemma-fr");
  EXPECT_EQ(familyKindNamed("lemma-de"), std::nullopt);
  EXPECT_EQ(familyKindNamed("beginning\n"), std::nullopt);
  EXPECT_EQ(dictionaryLanguage(FamilyKind::kBeginning), std::nullopt);
  EXPECT_EQ(dictionaryLanguage(FamilyKind::kLemmaEnglish), Language::kEnglish);
}

}  // namespace

}  // namespace verbolt
