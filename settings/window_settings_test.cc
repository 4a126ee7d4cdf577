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

namespace {

namespace fs = std::filesystem;

AnalysisSettings defaults() {
  AnalysisSettings s;
  s.ResetToDefaults();
  return s;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Each test starts in an empty directory of its own.
class WindowSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("verbolt-start-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = dir_ / "config.txt";
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::set<std::string> entries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  fs::path dir_;
  fs::path path_;
};

const char kForeign[] = "resolution=1920x1080\nfullscreen=1\n";

TEST_F(WindowSettings, AnotherProgramsFileIsKeptBeforeTheDefaultsReplaceIt) {
  writeFile(path_, kForeign);
  StartUpSettings start = startUpSettings(path_.string());
  EXPECT_EQ(start.backup.outcome, Backup::Outcome::kKept);
  EXPECT_EQ(start.backup.name, path_.string() + ".bak");
  EXPECT_EQ(readFile(dir_ / "config.txt.bak"), kForeign);
  EXPECT_EQ(readFile(path_), configurationText(defaults()));
  EXPECT_EQ(configurationText(start.settings), configurationText(defaults()));
}

TEST_F(WindowSettings, EarlierBackupsAreNeverReplaced) {
  writeFile(dir_ / "config.txt.bak", "first\n");
  writeFile(dir_ / "config.txt.bak.1", "second\n");
  for (const char* content : {"third\n", "fourth\n"}) {
    writeFile(path_, content);
    startUpSettings(path_.string());
  }
  EXPECT_EQ(readFile(dir_ / "config.txt.bak"), "first\n");
  EXPECT_EQ(readFile(dir_ / "config.txt.bak.1"), "second\n");
  EXPECT_EQ(readFile(dir_ / "config.txt.bak.2"), "third\n");
  EXPECT_EQ(readFile(dir_ / "config.txt.bak.3"), "fourth\n");
  EXPECT_EQ(readFile(path_), configurationText(defaults()));
}

TEST_F(WindowSettings, AMissingOrLoadableFileBehavesAsBefore) {
  StartUpSettings first = startUpSettings(path_.string());
  EXPECT_EQ(first.backup.outcome, Backup::Outcome::kNothingThere);
  EXPECT_EQ(readFile(path_), configurationText(defaults()));
  EXPECT_EQ(entries(), std::set<std::string>{"config.txt"});

  AnalysisSettings custom = defaults();
  custom.m_closeDistance = 321;
  // A stored number out of range loads clamped; the file itself is only
  // read, so it keeps its bytes.
  const std::string stored = configurationText(custom) + "m_unknown = 1\n";
  writeFile(path_, stored);
  StartUpSettings second = startUpSettings(path_.string());
  EXPECT_EQ(second.backup.outcome, Backup::Outcome::kNothingThere);
  EXPECT_EQ(second.settings.m_closeDistance, 321);
  EXPECT_EQ(readFile(path_), stored);
  EXPECT_EQ(entries(), std::set<std::string>{"config.txt"});
}

TEST_F(WindowSettings, AFileAnotherProgramWroteSinceTheStartIsKeptAtExit) {
  startUpSettings(path_.string());
  writeFile(path_, kForeign);
  AnalysisSettings custom = defaults();
  custom.m_closeDistance = 321;
  Backup backup = saveWindowSettings(custom, path_.string());
  EXPECT_EQ(backup.outcome, Backup::Outcome::kKept);
  EXPECT_EQ(readFile(dir_ / "config.txt.bak"), kForeign);
  EXPECT_EQ(readFile(path_), configurationText(custom));
  // Its own file it simply writes over.
  custom.m_closeDistance = 123;
  EXPECT_EQ(saveWindowSettings(custom, path_.string()).outcome, Backup::Outcome::kNothingThere);
  EXPECT_EQ(readFile(path_), configurationText(custom));
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
  const std::string path = path_.string();
  EXPECT_TRUE(asUnprivilegedUser(dir_, [&] {
    AnalysisSettings custom = defaults();
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
