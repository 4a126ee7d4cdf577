#include "settings/save_temporary.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>

#include "settings/configuration.h"
#include "test_support/test_support.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;

class SaveTemporaries : public test_support::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    m_path = (m_dir / "config.txt").string();
  }

  void write(const std::string& name, const std::string& bytes) {
    test_support::writeFile(m_dir / name, bytes);
  }

  // The id of a process that has ended.
  static pid_t endedProcess() {
    pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
  }

  std::string m_path;
};

TEST_F(SaveTemporaries, TheLeftoverOfASaveKilledMidWriteIsRemovedAtTheNextStart) {
  pid_t child = fork();
  if (child == 0) {
    std::string name;
    int fd = createSaveTemporary(m_path, name);
    std::string text = configurationText(AnalysisSettings{});
    if (::write(fd, text.data(), text.size() / 2) < 0) _exit(1);
    kill(getpid(), SIGKILL);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  ASSERT_EQ(entries().size(), 1u);
  EXPECT_EQ(removeLeftoverTemporaries(m_path), 1);
  EXPECT_TRUE(entries().empty());
}

TEST_F(SaveTemporaries, ASaveInProgressInAnotherWindowIsLeftAlone) {
  int toChild[2];
  int fromChild[2];
  ASSERT_EQ(pipe(toChild), 0);
  ASSERT_EQ(pipe(fromChild), 0);
  pid_t child = fork();
  if (child == 0) {
    std::string name;
    createSaveTemporary(m_path, name);
    char go = 0;
    if (::write(fromChild[1], &go, 1) != 1 || read(toChild[0], &go, 1) != 1) _exit(1);
    _exit(0);
  }
  char ready = 0;
  ASSERT_EQ(read(fromChild[0], &ready, 1), 1);
  EXPECT_EQ(removeLeftoverTemporaries(m_path), 0);
  EXPECT_EQ(entries().size(), 1u);
  // Once that window is gone, nothing will finish its save.
  ASSERT_EQ(::write(toChild[1], &ready, 1), 1);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(removeLeftoverTemporaries(m_path), 1);
  EXPECT_TRUE(entries().empty());
  for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(fd);
}

TEST_F(SaveTemporaries, OnlyThisProgramsAbandonedSavesAreRemoved) {
  const std::string ended = std::to_string(endedProcess());
  const std::string running = std::to_string(getpid());
  const std::string header = std::string(kConfigurationHeader) + "\n";
  write("config.txt", header);
  write("config.txt.verbolt-" + ended + "-empty0", "");
  write("config.txt.verbolt-" + ended + "-start0", header.substr(0, 10));
  write("config.txt.verbolt-" + ended + "-whole0", configurationText(AnalysisSettings{}));
  const std::set<std::string> kept = {
      "config.txt",
      "config.txt.a1b2c3",                          // another program's, or an old name
      "config.txt.verbolt-" + running + "-alive0",  // a running save
      "config.txt.verbolt-" + ended + "-other0",    // not a configuration
      "config.txt.verbolt-" + ended + "-locked",    // locked by a save
      "config.txt.verbolt-" + ended + "-toolong",   // not the name a save makes
      "notes.txt.verbolt-" + ended + "-abcdef",     // beside another file
      "config.txt.verbolt-" + ended + "-folder",    // a directory
  };
  for (const std::string& name : kept) {
    if (name == "config.txt") continue;
    if (name.ends_with("folder")) {
      fs::create_directory(m_dir / name);
    } else {
      write(name, name.ends_with("other0") ? std::string("resolution=1920x1080\n") : header);
    }
  }
  int lock = open((m_dir / ("config.txt.verbolt-" + ended + "-locked")).c_str(), O_RDONLY);
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  EXPECT_EQ(removeLeftoverTemporaries(m_path), 3);
  EXPECT_EQ(entries(), kept);
  close(lock);
}

TEST_F(SaveTemporaries, SavesNameTheirTemporaryAfterTheirProcess) {
  std::string name;
  int fd = createSaveTemporary(m_path, name);
  ASSERT_GE(fd, 0);
  EXPECT_TRUE(name.starts_with(m_path + ".verbolt-" + std::to_string(getpid()) + "-")) << name;
  // Locked while written: another start would leave it alone even if this
  // process's id were seen as ended, as across container boundaries.
  int other = open(name.c_str(), O_RDONLY);
  EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
  close(other);
  close(fd);
}

}  // namespace

}  // namespace verbolt
