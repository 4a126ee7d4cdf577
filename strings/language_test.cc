#include "strings/language.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

TEST(LanguageOfLocaleTest, TheFirstVariableSetDecides) {
  EXPECT_EQ(languageOfLocale("fr_FR.UTF-8", "en_US.UTF-8", "en_US.UTF-8"), Language::kFrench);
  EXPECT_EQ(languageOfLocale("C", "fr_FR.UTF-8", "fr_FR.UTF-8"), Language::kEnglish);
  EXPECT_EQ(languageOfLocale(nullptr, "fr_CA.UTF-8", "en_GB.UTF-8"), Language::kFrench);
  EXPECT_EQ(languageOfLocale(nullptr, nullptr, "fr_BE@euro"), Language::kFrench);
  EXPECT_EQ(languageOfLocale(nullptr, nullptr, "fr"), Language::kFrench);
}

TEST(LanguageOfLocaleTest, AnEmptyVariableCountsAsUnset) {
  EXPECT_EQ(languageOfLocale("", "", "fr_FR.UTF-8"), Language::kFrench);
  EXPECT_EQ(languageOfLocale("", "en_US.UTF-8", "fr_FR.UTF-8"), Language::kEnglish);
}

TEST(LanguageOfLocaleTest, EveryOtherLocaleIsEnglish) {
  EXPECT_EQ(languageOfLocale(nullptr, nullptr, nullptr), Language::kEnglish);
  EXPECT_EQ(languageOfLocale("de_DE.UTF-8", nullptr, nullptr), Language::kEnglish);
  EXPECT_EQ(languageOfLocale("POSIX", nullptr, "fr_FR.UTF-8"), Language::kEnglish);
  // Only the beginning counts: a Frisian locale is not French.
  EXPECT_EQ(languageOfLocale("fy_NL.UTF-8", nullptr, nullptr), Language::kEnglish);
  EXPECT_EQ(languageOfLocale("FR_fr", nullptr, nullptr), Language::kEnglish);
}

TEST(LanguageNamedTest, KnowsEnAndFrOnly) {
  EXPECT_EQ(languageNamed("en"), Language::kEnglish);
  EXPECT_EQ(languageNamed("fr"), Language::kFrench);
  EXPECT_EQ(languageNamed("FR"), std::nullopt);
  EXPECT_EQ(languageNamed("french"), std::nullopt);
  EXPECT_EQ(languageNamed(""), std::nullopt);
}

}  // namespace

}  // namespace verbolt
