#include "settings/configuration.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

#include "settings/window_settings.h"
#include "strings/localized_text.h"
#include "test_support/test_support.h"

namespace verbolt {

namespace {

using test_support::replaced;

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

class ConfigurationFile : public test_support::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    m_path = (m_dir / "config.txt").string();
  }

  void write(const std::string& bytes) { test_support::writeFile(m_path, bytes); }
  std::string read() const { return test_support::readFile(m_path); }
  // Loads into a fresh record, as the window does at start-up.
  bool load(AnalysisSettings& s) const { return LoadConfiguration(s, m_path); }

  std::string m_path;
};

TEST_F(ConfigurationFile, DefaultsAreWrittenByteForByte) {
  SaveConfiguration(AnalysisSettings::Defaults(), m_path);
  std::string bytes = read();
  EXPECT_EQ(bytes, kDefaultFile);
  EXPECT_EQ(bytes.substr(bytes.size() - 3), "\n\r\n");
}

// A French desktop starts with the French lists of the string table; every
// other line, and every other desktop, keeps the file above.
TEST_F(ConfigurationFile, FrenchDefaultsDifferOnlyInTheirLists) {
  setLanguage(Language::kFrench);
  std::string french = configurationText(AnalysisSettings::Defaults());
  setLanguage(Language::kEnglish);
  std::string expected = kDefaultFile;
  expected = replaced(expected, "m_skipWords = i you he she it we they",
                      "m_skipWords = je tu il elle nous vous ils elles le la les de du");
  expected = replaced(expected, "m_wordsList = said told", "m_wordsList = avait \xE9tait");
  expected = replaced(expected, "m_wordsPartsList = able ation", "m_wordsPartsList = ement ation");
  expected = replaced(expected, "example of phrase to search\\nanother example",
                      "exemple de phrase \xE0 chercher\\nautre exemple");
  EXPECT_EQ(french, expected);
  EXPECT_EQ(configurationText(AnalysisSettings::Defaults()), kDefaultFile);
}

TEST_F(ConfigurationFile, RoundTripsEveryStoredField) {
  AnalysisSettings saved = AnalysisSettings::Defaults();
  saved.m_skipNbLettersMin = -3;  // stored as typed: clamped only when loaded
  saved.m_samePercent = 77;
  saved.m_distantNb = 12;
  saved.m_skipWords = {"\xE9t\xE9", "l'homme"};
  saved.m_wordsList = {};
  saved.m_phrasesList = {"a = b", "tout \xE0 fait"};
  saved.m_hiddenList = {"never", "stored"};
  SaveConfiguration(saved, m_path);
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
    EXPECT_EQ(s.m_phrasesList, AnalysisSettings::Defaults().m_phrasesList);
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
  fs::create_directory(m_path);
  AnalysisSettings s;
  EXPECT_FALSE(load(s));
  SaveConfiguration(AnalysisSettings::Defaults(),
                    m_path);  // must neither crash nor remove the directory
  EXPECT_TRUE(fs::is_directory(m_path));
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
  AnalysisSettings saved = AnalysisSettings::Defaults();
  saved.m_wordsList = {"a", "", "b"};
  SaveConfiguration(saved, m_path);
  EXPECT_NE(read().find("m_wordsList = a  b\n"), std::string::npos);
  AnalysisSettings loaded;
  ASSERT_TRUE(load(loaded));
  EXPECT_EQ(loaded.m_wordsList, (WordList{"a", "b"}));
}

TEST_F(ConfigurationFile, SavingReplacesTheWholeFileAndLeavesNoTemporary) {
  write(std::string(100000, 'x'));
  SaveConfiguration(AnalysisSettings::Defaults(), m_path);
  EXPECT_EQ(read(), kDefaultFile);
  EXPECT_EQ(entries(), std::set<std::string>{"config.txt"});
}

TEST_F(ConfigurationFile, AFailedSaveLeavesTheOldFileWhole) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
  write("old settings\n");
  fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
  SaveConfiguration(AnalysisSettings::Defaults(), m_path);
  EXPECT_EQ(read(), "old settings\n");
}

// Faults around the file: whatever happens while writing or reading it, the
// writer's settings survive, or start-up falls back to the defaults exactly
// where the rules say so.
class SettingsFileFaults : public ConfigurationFile {
 protected:
  void TearDown() override {
    if (m_immutable) setImmutable(m_dir, false);
    ConfigurationFile::TearDown();
  }

  // Start-up: load, or on failure take the defaults and write them at once.
  AnalysisSettings startUp() const { return startUpSettings(m_path).settings; }

  // Settings a writer has made their own, saved over any file there.
  AnalysisSettings saveCustomSettings() {
    AnalysisSettings custom = AnalysisSettings::Defaults();
    custom.m_closeDistance = 321;
    custom.m_samePercent = 80;
    custom.m_skipWords = {"alors", "donc"};
    custom.m_phrasesList = {"il \xE9tait une fois"};
    SaveConfiguration(custom, m_path);
    return custom;
  }

  // Runs `save` in a child process whose files may not grow past `bytes`.
  // Returns the child's wait status.
  static int saveWithFileSizeLimit(rlim_t bytes, bool ignoreSizeSignal,
                                   const std::function<void()>& save) {
    pid_t child = fork();
    if (child == 0) {
      rlimit noCore = {0, 0};
      setrlimit(RLIMIT_CORE, &noCore);
      rlimit limit = {bytes, bytes};
      setrlimit(RLIMIT_FSIZE, &limit);
      if (ignoreSizeSignal) signal(SIGXFSZ, SIG_IGN);
      save();
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
  }

  // Makes the test directory refuse new entries: the immutable flag holds
  // even for root; permission bits only for other users.
  bool makeDirectoryReadOnly() {
    if (setImmutable(m_dir, true)) {
      m_immutable = true;
      return true;
    }
    if (geteuid() == 0) return false;
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
    return true;
  }

  static bool setImmutable(const fs::path& path, bool on) {
    int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return ok;
  }

  // Writes `chunk` again and again until the file holds at least `bytes`.
  void appendRepeated(const std::string& chunk, size_t bytes) {
    std::ofstream out(m_path, std::ios::binary | std::ios::app);
    for (size_t written = 0; written < bytes; written += chunk.size()) out << chunk;
  }

  bool m_immutable = false;
};

void expectSameStoredFields(const AnalysisSettings& actual, const AnalysisSettings& expected) {
  EXPECT_EQ(configurationText(actual), configurationText(expected));
}

TEST_F(SettingsFileFaults, SavingNeverWritesIntoTheOldFile) {
  write("old settings\n");
  fs::permissions(m_path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // A second name for the old file sees it as it was: the new content went
  // to a new file that took over the name.
  fs::create_hard_link(m_path, m_dir / "old-name");
  SaveConfiguration(AnalysisSettings::Defaults(), m_path);
  EXPECT_EQ(read(), kDefaultFile);
  std::ifstream old(m_dir / "old-name", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old settings\n");
  EXPECT_EQ(fs::status(m_path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(entries(), (std::set<std::string>{"config.txt", "old-name"}));
}

TEST_F(SettingsFileFaults, TheSavedFileIsAlwaysReadableAndWritableByItsOwner) {
  const fs::perms ownerReadWrite = fs::perms::owner_read | fs::perms::owner_write;
  for (fs::perms before :
       {fs::perms::none, fs::perms::owner_read | fs::perms::group_read, fs::perms::owner_write}) {
    write("old settings\n");
    fs::permissions(m_path, before);
    SaveConfiguration(AnalysisSettings::Defaults(), m_path);
    EXPECT_EQ(fs::status(m_path).permissions(), before | ownerReadWrite);
    EXPECT_EQ(read(), kDefaultFile);
  }
}

TEST_F(SettingsFileFaults, AFullDiskDuringTheWriteLeavesTheOldFileWhole) {
  AnalysisSettings custom = saveCustomSettings();
  const std::string before = read();
  // Past 100 bytes every write fails with EFBIG, as on a full disk.
  int status = saveWithFileSizeLimit(
      100, true, [this] { SaveConfiguration(AnalysisSettings::Defaults(), m_path); });
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(read(), before);
  EXPECT_EQ(entries(), std::set<std::string>{"config.txt"});  // no temporary left
  expectSameStoredFields(startUp(), custom);
}

TEST_F(SettingsFileFaults, ACrashDuringTheWriteLeavesTheOldFileWhole) {
  AnalysisSettings custom = saveCustomSettings();
  const std::string before = read();
  // The size signal kills the writer in the middle of its write.
  int status = saveWithFileSizeLimit(
      100, false, [this] { SaveConfiguration(AnalysisSettings::Defaults(), m_path); });
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
  EXPECT_EQ(read(), before);
  expectSameStoredFields(startUp(), custom);
  // The next exit saves normally over it.
  SaveConfiguration(AnalysisSettings::Defaults(), m_path);
  EXPECT_EQ(read(), kDefaultFile);
}

TEST_F(SettingsFileFaults, AReadOnlyDirectoryKeepsTheOldFileAndItsSettings) {
  AnalysisSettings custom = saveCustomSettings();
  const std::string before = read();
  if (!makeDirectoryReadOnly()) GTEST_SKIP() << "no way to make a read-only directory here";
  expectSameStoredFields(startUp(), custom);
  SaveConfiguration(AnalysisSettings::Defaults(), m_path);  // exit: the write fails quietly
  EXPECT_EQ(read(), before);
  EXPECT_EQ(entries(), std::set<std::string>{"config.txt"});
}

TEST_F(SettingsFileFaults, AReadOnlyDirectoryWithoutAFileStartsWithTheDefaults) {
  if (!makeDirectoryReadOnly()) GTEST_SKIP() << "no way to make a read-only directory here";
  expectSameStoredFields(startUp(), AnalysisSettings::Defaults());
  EXPECT_TRUE(entries().empty());
}

TEST_F(SettingsFileFaults, ADirectoryThatIsAFileStartsWithTheDefaults) {
  // Nothing can be created under a path whose directory is a regular file,
  // whoever runs the program.
  write("not a directory\n");
  const std::string inside = (fs::path(m_path) / "config.txt").string();
  AnalysisSettings s;
  EXPECT_FALSE(LoadConfiguration(s, inside));
  s.ResetToDefaults();
  SaveConfiguration(s, inside);
  EXPECT_EQ(read(), "not a directory\n");
  EXPECT_EQ(entries(), std::set<std::string>{"config.txt"});
}

TEST_F(SettingsFileFaults, AConfigurationDirectoryIsLeftAsItIs) {
  fs::create_directory(m_path);
  std::ofstream(fs::path(m_path) / "notes.txt") << "keep me\n";
  expectSameStoredFields(startUp(), AnalysisSettings::Defaults());
  EXPECT_TRUE(fs::is_directory(m_path));
  std::ifstream notes(fs::path(m_path) / "notes.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(notes), {}), "keep me\n");
  EXPECT_EQ(entries(), std::set<std::string>{"config.txt"});  // no temporary left
}

TEST_F(SettingsFileFaults, AHundredMegabyteFileLoadsItsFirstKeys) {
  AnalysisSettings custom = saveCustomSettings();
  // Later duplicates of a key are ignored, however many there are.
  appendRepeated("m_closeDistance = 5\nm_skipWords = never read\n\n\r\r\n", 100 << 20);
  ASSERT_GE(fs::file_size(m_path), 100u << 20);
  AnalysisSettings loaded;
  EXPECT_TRUE(LoadConfiguration(loaded, m_path));
  expectSameStoredFields(loaded, custom);
}

TEST_F(SettingsFileFaults, AHundredMegabytesOfEmptyLinesFallBackToTheDefaults) {
  appendRepeated(std::string(4096, '\n') + "unknown = 1\r", 100 << 20);
  ASSERT_GE(fs::file_size(m_path), 100u << 20);
  expectSameStoredFields(startUp(), AnalysisSettings::Defaults());
  EXPECT_EQ(read(), kDefaultFile);  // replaced, as any file missing a key is
}

TEST_F(SettingsFileFaults, NulBytesAreReadAndWrittenLikeAnyOtherByte) {
  std::string text = std::string("\0\0\0\n\0m_sameActive = 0\n", 23) + kDefaultFile;
  text = replaced(text, "m_skipWords = i you he she it we they",
                  std::string("m_skipWords = a\0b c", 19));
  text = replaced(text, "m_closeDistance = 100",
                  std::string("m_closeDistance = 12\0"
                              "3",
                              22));
  write(text);
  AnalysisSettings loaded;
  ASSERT_TRUE(LoadConfiguration(loaded, m_path));
  EXPECT_EQ(loaded.m_sameActive, 1);  // "\0m_sameActive" is not the key
  EXPECT_EQ(loaded.m_skipWords, (WordList{std::string("a\0b", 3), "c"}));
  EXPECT_EQ(loaded.m_closeDistance, 12);

  SaveConfiguration(loaded, m_path);
  AnalysisSettings reloaded;
  ASSERT_TRUE(LoadConfiguration(reloaded, m_path));
  expectSameStoredFields(reloaded, loaded);
}

TEST_F(SettingsFileFaults, AOneMegabyteLineIsReadWhole) {
  const std::string longPhrase(1 << 20, 'a');
  std::string text = std::string(1 << 20, '=') + "\n" + kDefaultFile;
  text = replaced(text, "m_phrasesList = example of phrase to search\\nanother example",
                  "m_phrasesList = short\\n" + longPhrase);
  write(text);
  AnalysisSettings loaded;
  ASSERT_TRUE(LoadConfiguration(loaded, m_path));
  EXPECT_EQ(loaded.m_phrasesList, (WordList{"short", longPhrase}));

  SaveConfiguration(loaded, m_path);
  AnalysisSettings reloaded;
  ASSERT_TRUE(LoadConfiguration(reloaded, m_path));
  EXPECT_EQ(reloaded.m_phrasesList, loaded.m_phrasesList);
}

}  // namespace

}  // namespace verbolt
