#include "settings/configuration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const char kDefaultFile[] =
    "// Verbolt 2 configuration file\n"
    "m_skipActive = 1\n"
    "m_skipNbLettersMin = 4\n"
    "m_skipNbLettersMax = 99\n"
    "m_skipWords = i you he she it we they\n"
    "\n"
    "m_sameActive = 1\n"
    "m_sameNbLetters = 4\n"
    "m_samePercent = 50\n"
    "\n"
    "m_closeActive = 1\n"
    "m_closeDistance = 100\n"
    "\n"
    "m_distantActive = 1\n"
    "m_distantNb = 6\n"
    "m_distantDistance = 1500\n"
    "\n"
    "m_wordsActive = 0\n"
    "m_wordsLetterMin = 99\n"
    "m_wordsLetterMax = 99\n"
    "m_wordsList = said told\n"
    "m_wordsPartsList = able ation\n"
    "\n"
    "m_phrasesActive = 0\n"
    "m_phrasesList = example of phrase to search\\nanother example\n"
    "\r\n";

class ConfigurationFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("verbolt-config-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "config.txt").string();
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }

  void write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string read() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Loads into a fresh record, as the window does at start-up.
  bool load(AnalysisSettings& s) const { return LoadConfiguration(s, path_); }

  static AnalysisSettings defaults() {
    AnalysisSettings s;
    s.ResetToDefaults();
    return s;
  }

  fs::path dir_;
  std::string path_;
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST_F(ConfigurationFile, DefaultsAreWrittenByteForByte) {
  SaveConfiguration(defaults(), path_);
  std::string bytes = read();
  EXPECT_EQ(bytes, kDefaultFile);
  EXPECT_EQ(bytes.substr(bytes.size() - 3), "\n\r\n");
}

TEST_F(ConfigurationFile, RoundTripsEveryStoredField) {
  AnalysisSettings saved = defaults();
  saved.m_skipNbLettersMin = -3;  // stored as typed: clamped only when loaded
  saved.m_samePercent = 77;
  saved.m_distantNb = 12;
  saved.m_skipWords = {"\xE9t\xE9", "l'homme"};
  saved.m_wordsList = {};
  saved.m_phrasesList = {"a = b", "tout \xE0 fait"};
  saved.m_hiddenList = {"never", "stored"};
  SaveConfiguration(saved, path_);
  EXPECT_NE(read().find("m_skipNbLettersMin = -3\n"), std::string::npos);
  EXPECT_NE(read().find("m_wordsList = \n"), std::string::npos);
  EXPECT_EQ(read().find("hidden"), std::string::npos);

  AnalysisSettings loaded;
  ASSERT_TRUE(load(loaded));
  EXPECT_EQ(loaded.m_skipNbLettersMin, 1);
  EXPECT_EQ(loaded.m_samePercent, 77);
  EXPECT_EQ(loaded.m_distantNb, 12);
  EXPECT_EQ(loaded.m_skipWords, saved.m_skipWords);
  EXPECT_TRUE(loaded.m_wordsList.empty());
  EXPECT_EQ(loaded.m_wordsPartsList, saved.m_wordsPartsList);
  EXPECT_EQ(loaded.m_phrasesList, saved.m_phrasesList);
  EXPECT_TRUE(loaded.m_hiddenList.empty());
}

TEST_F(ConfigurationFile, AcceptsEveryLineEnd) {
  std::string lf = kDefaultFile;
  lf = replaced(lf, "m_closeDistance = 100", "m_closeDistance = 250");
  for (const std::string& end : {std::string("\r\n"), std::string("\r")}) {
    std::string text;
    for (char c : lf) text += c == '\n' ? end : std::string(1, c);
    write(text);
    AnalysisSettings s;
    EXPECT_TRUE(load(s));
    EXPECT_EQ(s.m_closeDistance, 250);
    EXPECT_EQ(s.m_phrasesList, defaults().m_phrasesList);
  }
}

TEST_F(ConfigurationFile, MissingEmptyOrHeaderOnlyFilesFail) {
  AnalysisSettings s;
  EXPECT_FALSE(load(s));
  write("");
  EXPECT_FALSE(load(s));
  write("// Verbolt 2 configuration file\n");
  EXPECT_FALSE(load(s));
}

TEST_F(ConfigurationFile, ADirectoryIsNotAConfigurationFile) {
  fs::create_directory(path_);
  AnalysisSettings s;
  EXPECT_FALSE(load(s));
  SaveConfiguration(defaults(), path_);  // must neither crash nor remove the directory
  EXPECT_TRUE(fs::is_directory(path_));
}

TEST_F(ConfigurationFile, OneMissingKeyFailsButTheOthersAreRead) {
  write(replaced(replaced(kDefaultFile, "m_distantNb = 6\n", ""), "m_samePercent = 50",
                 "m_samePercent = 250"));
  AnalysisSettings s;
  EXPECT_FALSE(load(s));
  EXPECT_EQ(s.m_samePercent, 100);  // read and clamped all the same
  EXPECT_EQ(s.m_distantNb, 2);      // untouched zero, clamped
}

TEST_F(ConfigurationFile, KeysNeedBlanksAroundTheEqualsSign) {
  write(replaced(kDefaultFile, "m_skipActive = 1", "m_skipActive=1"));
  AnalysisSettings s;
  EXPECT_FALSE(load(s));
}

TEST_F(ConfigurationFile, ToleratesOrderExtraLinesAndDuplicates) {
  write(
      "m_phrasesList = p\n\nunknown = 3\nm_closeDistance = 40\n"
      "M_closeDistance = 1\n m_closeActive = 0\nno separator here\n" +
      std::string(kDefaultFile) + "m_closeDistance = 50\n");
  AnalysisSettings s;
  EXPECT_TRUE(load(s));
  EXPECT_EQ(s.m_closeDistance, 40);  // the first line that carries the key wins
  EXPECT_EQ(s.m_closeActive, 1);     // " m_closeActive" is not the key
  EXPECT_EQ(s.m_phrasesList, WordList{"p"});
}

TEST_F(ConfigurationFile, NumbersAreReadLikeAtoiSaturatedThenClamped) {
  std::string text = replaced(kDefaultFile, "m_closeDistance = 100", "m_closeDistance = abc");
  text = replaced(text, "m_distantNb = 6", "m_distantNb = 1");
  text = replaced(text, "m_distantDistance = 1500", "m_distantDistance = 99999999999");
  text = replaced(text, "m_skipNbLettersMax = 99", "m_skipNbLettersMax = -99999999999");
  text = replaced(text, "m_sameNbLetters = 4", "m_sameNbLetters =  7 letters");
  write(text);
  AnalysisSettings s;
  EXPECT_TRUE(load(s));
  EXPECT_EQ(s.m_closeDistance, 1);
  EXPECT_EQ(s.m_distantNb, 2);
  EXPECT_EQ(s.m_distantDistance, 999999);
  EXPECT_EQ(s.m_skipNbLettersMax, 1);
  EXPECT_EQ(s.m_sameNbLetters, 7);
}

TEST_F(ConfigurationFile, ListsAreReadAsWrittenWithoutNormalising) {
  std::string text =
      replaced(kDefaultFile, "m_skipWords = i you he she it we they", "m_skipWords = A  b ");
  text = replaced(text, "m_phrasesList = example of phrase to search\\nanother example",
                  "m_phrasesList = One\\n\\n \\n  \\nback\\\\nslash = x");
  write(text);
  AnalysisSettings s;
  EXPECT_TRUE(load(s));
  EXPECT_EQ(s.m_skipWords, (WordList{"A", "b"}));
  EXPECT_EQ(s.m_phrasesList, (WordList{"One", "  ", "back\\", "slash = x"}));
}

TEST_F(ConfigurationFile, EmptyListItemsDoNotSurviveARoundTrip) {
  AnalysisSettings saved = defaults();
  saved.m_wordsList = {"a", "", "b"};
  SaveConfiguration(saved, path_);
  EXPECT_NE(read().find("m_wordsList = a  b\n"), std::string::npos);
  AnalysisSettings loaded;
  ASSERT_TRUE(load(loaded));
  EXPECT_EQ(loaded.m_wordsList, (WordList{"a", "b"}));
}

TEST_F(ConfigurationFile, SavingReplacesTheWholeFileAndLeavesNoTemporary) {
  write(std::string(100000, 'x'));
  SaveConfiguration(defaults(), path_);
  EXPECT_EQ(read(), kDefaultFile);
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(dir_)) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST_F(ConfigurationFile, AFailedSaveLeavesTheOldFileWhole) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
  write("old settings\n");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  SaveConfiguration(defaults(), path_);
  EXPECT_EQ(read(), "old settings\n");
}

}  // namespace
