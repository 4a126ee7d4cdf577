#include "strings/localized_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

namespace verbolt {

namespace {

const std::set<int> kAbsentIds = {15, 23, 24, 29, 34, 40, 41, 51, 52, 55, 56, 59, 61};

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) lines.push_back(line);
  return lines;
}

std::string formatted(const std::string& pattern, auto... values) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, pattern.c_str(), values...);
  return buffer;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(StringTableTest, HoldsEveryIdUpToTheHighestExceptTheGaps) {
  const StringTable& table = stringTable();
  for (int id = 0; id <= 103; ++id) {
    bool expected = kAbsentIds.count(id) == 0;
    EXPECT_EQ(table.count(StringId(id)) == 1, expected) << "id " << id;
  }
  for (const auto& [id, texts] : table) {
    EXPECT_FALSE(texts.english.empty()) << "id " << id;
    EXPECT_FALSE(texts.french.empty()) << "id " << id;
  }
}

TEST(StringTableTest, TheWarningsOfAFileJustOpenedFollowFrom120) {
  const StringTable& table = stringTable();
  for (int id = 115; id < 120; ++id) EXPECT_EQ(table.count(StringId(id)), 0u) << id;
  EXPECT_EQ(table.count(kStrUndecodableBytes), 1u);
  EXPECT_EQ(table.count(kStrMixedLineEnds), 1u);
  for (int id = 122; id < 130; ++id) EXPECT_EQ(table.count(StringId(id)), 0u) << id;
  EXPECT_EQ(formatted(table.at(kStrMixedLineEnds).english, "CRLF"),
            "This file has mixed line ends; saving will write every line end as CRLF.");
  EXPECT_EQ(formatted(table.at(kStrUndecodableBytes).french, "UTF-16"),
            "Ce fichier contient des octets qui ne sont pas du UTF-16 valide ; l'enregistrer les "
            "remplacera par U+FFFD.");
  EXPECT_TRUE(contains(formatted(table.at(kStrMixedLineEnds).french, "LF"), " toutes en LF."));
}

TEST(StringTableTest, TheSimilarWordsKindsFollowFrom110) {
  const StringTable& table = stringTable();
  for (int id = 110; id <= 114; ++id) EXPECT_EQ(table.count(StringId(id)), 1u) << id;
  EXPECT_EQ(table.at(kStrSameBeginning).french,
            "m\xEAme d\xE9"
            "but");
  EXPECT_EQ(formatted(table.at(kStrDictionaryMissing).french,
                      table.at(kStrFrenchDictionary).french.c_str(), "hunspell-fr"),
            "Pas de dictionnaire fran\xE7"
            "ais : installez le paquet hunspell-fr.");
}

TEST(StringTableTest, TheRecoveryTextsAndTheVerbsFollowFrom130) {
  const StringTable& table = stringTable();
  for (int id = 130; id <= 153; ++id) EXPECT_EQ(table.count(StringId(id)), 1u) << id;
  for (int id = 154; id < 160; ++id) EXPECT_EQ(table.count(StringId(id)), 0u) << id;
  EXPECT_EQ(formatted(table.at(kStrRecoveryFailed).french, "disque plein"),
            "Aucune copie de secours n'a pu \xEAtre \xE9"
            "crite : disque plein");
  EXPECT_EQ(formatted(table.at(kStrFileChangedOnDisk).english, "a.txt"),
            "a.txt has been changed by another program since it was opened or saved.\n"
            "Overwrite it with the text of the editor?");
}

TEST(StringTableTest, TheEchoesFollowFrom160) {
  const StringTable& table = stringTable();
  for (int id = 160; id <= 180; ++id) EXPECT_EQ(table.count(StringId(id)), 1u) << id;
}

TEST(StringTableTest, TheOverviewAndThePalettesFollowFrom190) {
  const StringTable& table = stringTable();
  for (int id = 190; id <= 196; ++id) EXPECT_EQ(table.count(StringId(id)), 1u) << id;
  EXPECT_EQ(table.rbegin()->first, kStrSpreadTitle);
}

TEST(StringTableTest, TextsAreWindows1252NotUtf8) {
  for (const auto& [id, texts] : stringTable()) {
    for (const std::string* text : {&texts.english, &texts.french}) {
      for (size_t i = 0; i < text->size(); ++i) {
        unsigned char byte = (*text)[i];
        EXPECT_TRUE(byte == '\n' || byte >= 0x20) << "control byte in id " << id << " at " << i;
        if (i + 1 == text->size()) continue;
        unsigned char next = (*text)[i + 1];
        // UTF-8 encodings of the accented letters, of the French quotation marks and no-break
        // space, and of the typographic quotes and apostrophe.
        bool utf8Pair = (byte == 0xC2 || byte == 0xC3) && next >= 0x80 && next <= 0xBF;
        bool utf8Punctuation = byte == 0xE2 && next == 0x80;
        EXPECT_FALSE(utf8Pair || utf8Punctuation) << "UTF-8 sequence in id " << id << " at " << i;
      }
    }
  }
}

TEST(StringTableTest, TypographicCharactersUseTheirWindows1252Bytes) {
  const StringTable& table = stringTable();
  EXPECT_EQ(table.at(kStrSettings).french, "R\xE9glages");
  EXPECT_TRUE(contains(table.at(kStrSearchWordsHelp).english, "ending in \x93ly\x94 and"));

  const std::string& welcomeFrench = table.at(kStrWelcome).french;
  EXPECT_TRUE(contains(welcomeFrench,
                       "Pr\xE9"
                       "cision importante\xA0: selon l\x92option"));
  EXPECT_TRUE(contains(welcomeFrench, "\xAB\xA0Mots voisins\xA0\xBB"));
  EXPECT_TRUE(contains(welcomeFrench, "(m\xEAme s\x92ils"));
  // French quotation marks always hold a no-break space on their inner side.
  for (size_t i = 0; i < welcomeFrench.size(); ++i) {
    if (welcomeFrench[i] == '\xAB') {
      EXPECT_EQ(welcomeFrench.at(i + 1), '\xA0') << i;
    }
    if (welcomeFrench[i] == '\xBB') {
      EXPECT_EQ(welcomeFrench.at(i - 1), '\xA0') << i;
    }
  }
}

TEST(StringTableTest, SiteAddressesShareOneBase) {
  const StringTable& table = stringTable();
  const std::string site = table.at(kStrSiteAddress).english;
  EXPECT_EQ(site.rfind("https://", 0), 0u);
  EXPECT_EQ(table.at(kStrSiteAddress).french, site + "/fr");
  EXPECT_EQ(table.at(kStrHelpAddress).english, site + "?p=help");
  EXPECT_EQ(table.at(kStrHelpAddress).french, site + "?l=fr&p=help");
}

TEST(StringTableTest, AboutTextTakesTheVersionOnItsThirdLine) {
  const StringTable& table = stringTable();
  struct Labels {
    const std::string& text;
    std::string design, programming, tests, moreInformation;
  };
  for (const Labels& labels :
       {Labels{table.at(kStrAboutText).english,
               "Design: ", "Programming: ", "Tests: ", "More informations:"},
        Labels{table.at(kStrAboutText).french,
               "Conception : ", "Programmation : ", "Tests : ", "Pour plus d'informations :"}}) {
    EXPECT_EQ(labels.text.find('%'), labels.text.rfind('%')) << "a single placeholder";
    std::vector<std::string> lines = splitLines(formatted(labels.text, "v2.029"));
    ASSERT_EQ(lines.size(), 9u) << labels.text;
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "Verbolt 2 ");
    EXPECT_EQ(lines[2], "v2.029");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], labels.moreInformation);

    // The designers are the programmer and the tester, in that order.
    ASSERT_EQ(lines[5].rfind(labels.programming, 0), 0u) << lines[5];
    ASSERT_EQ(lines[6].rfind(labels.tests, 0), 0u) << lines[6];
    std::string programmer = lines[5].substr(labels.programming.size());
    std::string tester = lines[6].substr(labels.tests.size());
    EXPECT_FALSE(programmer.empty());
    EXPECT_FALSE(tester.empty());
    EXPECT_EQ(lines[4], labels.design + programmer + " and " + tester);
  }
}

TEST(StringTableTest, StatisticsTextTakesThreeCountsInOrder) {
  const StringTable& table = stringTable();
  EXPECT_EQ(formatted(table.at(kStrStatisticsFormat).english, 12, 50, 61),
            "12 words\n50 letters (excluding spaces)\n61 letters (including spaces)");
  EXPECT_EQ(formatted(table.at(kStrStatisticsFormat).french, 12, 50, 61),
            "12 mots\n50 lettres (sans les espaces)\n61 lettres (espaces compris)");
}

TEST(LocalizedTextTest, GivesTheEnglishText) {
  for (const auto& [id, texts] : stringTable()) EXPECT_EQ(LocalizedText(id), texts.english);
  EXPECT_EQ(LocalizedText(kStrDefaultSkipWords), "I you he she it we they");
  EXPECT_EQ(LocalizedText(kStrDefaultPhrasesList), "Example of phrase to search\nAnother example");
  EXPECT_EQ(LocalizedText(kStrAddToSkipWords), "Add to \"Words to skip\" (CTRL+click)");
}

TEST(LocalizedTextTest, GivesTheFrenchTextOnceFrenchIsChosen) {
  EXPECT_EQ(currentLanguage(), Language::kEnglish);
  setLanguage(Language::kFrench);
  for (const auto& [id, texts] : stringTable()) EXPECT_EQ(LocalizedText(id), texts.french);
  EXPECT_EQ(LocalizedText(kStrDefaultSkipWords),
            "Je tu il elle nous vous ils elles le la les de du ");
  EXPECT_EQ(LocalizedText(StringId(15)), "");
  setLanguage(Language::kEnglish);
  EXPECT_EQ(LocalizedText(kStrSettings), "Settings");
}

TEST(LocalizedTextTest, MissingIdsGiveEmptyTextWithoutGrowingTheTable) {
  const size_t entries = stringTable().size();
  EXPECT_EQ(LocalizedText(StringId(15)), "");
  EXPECT_EQ(LocalizedText(StringId(-1)), "");
  EXPECT_EQ(LocalizedText(StringId(104)), "");
  EXPECT_EQ(stringTable().size(), entries);
  EXPECT_EQ(LocalizedText(StringId(15)), "");
}

TEST(LocalizedTextTest, KeepsBlanksAndLineFeedsAtTheEdges) {
  EXPECT_EQ(LocalizedText(kStrCloseMaxDistance), "Max distance: ");
  EXPECT_EQ(LocalizedText(kStrDistantMaxDistance), "Max distance:");
  EXPECT_EQ(LocalizedText(kStrOrMoreThan), " or more than");
  EXPECT_EQ(LocalizedText(kStrSkipLetters), " letters");
  EXPECT_EQ(stringTable().at(kStrDefaultSkipWords).french,
            "Je tu il elle nous vous ils elles le la les de du ");
  EXPECT_TRUE(contains(LocalizedText(kStrCloseRepetitionsHelp), "enabled.\n You can adjust"));

  std::string welcome = LocalizedText(kStrWelcome);
  EXPECT_EQ(welcome.rfind("Welcome in Verbolt 2.\n\n", 0), 0u);
  EXPECT_EQ(welcome.back(), '\n');
  EXPECT_NE(stringTable().at(kStrWelcome).french.back(), '\n');
}

TEST(LocalizedTextTest, SampleManuscriptIsTheWelcomeText) {
  std::ifstream file(VERBOLT_SOURCE_DIR "/samples/welcome.txt", std::ios::binary);
  ASSERT_TRUE(file.is_open());
  std::string sample((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(sample, LocalizedText(kStrWelcome));
}

}  // namespace

namespace {

// A hex escape runs on over every hex digit after it: "r\xE9cents" would
// be one out-of-range character, not "récents".
TEST(StringTableTest, AccentsBeforeHexLettersKeepTheLettersThatFollow) {
  EXPECT_EQ(stringTable().at(kStrRecentFiles).french,
            "Fichiers r\xE9"
            "cents");
  EXPECT_NE(stringTable()
                .at(kStrRecentFileGone)
                .french.find("r\xE9"
                             "cents."),
            std::string::npos);
}

}  // namespace

}  // namespace verbolt
