#include "settings/window_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

#include "settings/configuration.h"
#include "test_support/test_support.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;

using test_support::readFile;
using test_support::writeFile;

// Each test starts in an empty directory of its own.
class WindowSettings : public test_support::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    m_path = m_dir / "config.txt";
  }

  fs::path m_path;
};

const char kForeign[] = "resolution=1920x1080\nfullscreen=1\n";

TEST_F(WindowSettings, AnotherProgramsFileIsKeptBeforeTheDefaultsReplaceIt) {
  writeFile(m_path, kForeign);
  StartUpSettings start = startUpSettings(m_path.string());
  EXPECT_EQ(start.backup.outcome, Backup::Outcome::kKept);
  EXPECT_EQ(start.backup.name, m_path.string() + ".bak");
  EXPECT_EQ(readFile(m_dir / "config.txt.bak"), kForeign);
  EXPECT_EQ(readFile(m_path), configurationText(AnalysisSettings::Defaults()));
  EXPECT_EQ(configurationText(start.settings), configurationText(AnalysisSettings::Defaults()));
}

TEST_F(WindowSettings, EarlierBackupsAreNeverReplaced) {
  writeFile(m_dir / "config.txt.bak", "first\n");
  writeFile(m_dir / "config.txt.bak.1", "second\n");
  for (const char* content : {"third\n", "fourth\n"}) {
    writeFile(m_path, content);
    startUpSettings(m_path.string());
  }
  EXPECT_EQ(readFile(m_dir / "config.txt.bak"), "first\n");
  EXPECT_EQ(readFile(m_dir / "config.txt.bak.1"), "second\n");
  EXPECT_EQ(readFile(m_dir / "config.txt.bak.2"), "third\n");
  EXPECT_EQ(readFile(m_dir / "config.txt.bak.3"), "fourth\n");
  EXPECT_EQ(readFile(m_path), configurationText(AnalysisSettings::Defaults()));
}

TEST_F(WindowSettings, AMissingOrLoadableFileBehavesAsBefore) {
  StartUpSettings first = startUpSettings(m_path.string());
  EXPECT_EQ(first.backup.outcome, Backup::Outcome::kNothingThere);
  EXPECT_EQ(readFile(m_path), configurationText(AnalysisSettings::Defaults()));
  EXPECT_EQ(entries(), std::set<std::string>{"config.txt"});

  AnalysisSettings custom = AnalysisSettings::Defaults();
  custom.m_closeDistance = 321;
  // A stored number out of range loads clamped; the file itself is only
  // read, so it keeps its bytes.
  const std::string stored = configurationText(custom) + "m_unknown = 1\n";
  writeFile(m_path, stored);
  StartUpSettings second = startUpSettings(m_path.string());
  EXPECT_EQ(second.backup.outcome, Backup::Outcome::kNothingThere);
  EXPECT_EQ(second.settings.m_closeDistance, 321);
  EXPECT_EQ(readFile(m_path), stored);
  EXPECT_EQ(entries(), std::set<std::string>{"config.txt"});
}

TEST_F(WindowSettings, AFileAnotherProgramWroteSinceTheStartIsKeptAtExit) {
  startUpSettings(m_path.string());
  writeFile(m_path, kForeign);
  AnalysisSettings custom = AnalysisSettings::Defaults();
  custom.m_closeDistance = 321;
  Backup backup = saveWindowSettings(custom, m_path.string());
  EXPECT_EQ(backup.outcome, Backup::Outcome::kKept);
  EXPECT_EQ(readFile(m_dir / "config.txt.bak"), kForeign);
  EXPECT_EQ(readFile(m_path), configurationText(custom));
  // Its own file it simply writes over.
  custom.m_closeDistance = 123;
  EXPECT_EQ(saveWindowSettings(custom, m_path.string()).outcome, Backup::Outcome::kNothingThere);
  EXPECT_EQ(readFile(m_path), configurationText(custom));
  EXPECT_EQ(entries(), (std::set<std::string>{"config.txt", "config.txt.bak"}));
}

// Runs `check` as a user who cannot read a file of mode 000: the test's own
// user, or nobody when the tests run as root. True when it returned true.
bool asUnprivilegedUser(const fs::path& dir, const std::function<bool()>& check) {
  constexpr uid_t kNobody = 65534;
  if (geteuid() == 0 && chown(dir.c_str(), kNobody, kNobody) != 0) return false;
  pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(3);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(WindowSettings, AnUnreadableFileIsKeptAndTheNextStartKeepsTheSettings) {
  const std::string path = m_path.string();
  EXPECT_TRUE(asUnprivilegedUser(m_dir, [&] {
    AnalysisSettings custom = AnalysisSettings::Defaults();
    custom.m_samePercent = 80;
    SaveConfiguration(custom, path);
    chmod(path.c_str(), 0);
    StartUpSettings start = startUpSettings(path);
    if (start.backup.outcome != Backup::Outcome::kKept) return false;
    // The unreadable original is still there, as it was.
    struct stat kept;
    if (stat((path + ".bak").c_str(), &kept) != 0 || (kept.st_mode & 0777) != 0) return false;
    // The settings saved at exit come back at the next start.
    SaveConfiguration(custom, path);
    StartUpSettings next = startUpSettings(path);
    return next.backup.outcome == Backup::Outcome::kNothingThere &&
           next.settings.m_samePercent == 80;
  }));
}

}  // namespace

}  // namespace verbolt
