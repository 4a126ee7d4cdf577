#include "manuscript/atomic_write.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "test_support/test_support.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;

class AtomicWrite : public test_support::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    m_directory = m_dir.string();
    m_path = m_directory + "/chapter.txt";
  }

  static std::string contentOf(const std::string& path) { return test_support::readFile(path); }

  std::string m_directory;
  std::string m_path;
};

TEST_F(AtomicWrite, WritesANewFileAndReplacesItKeepingItsPermissions) {
  std::string error;
  ASSERT_TRUE(writeFileAtomically(m_path, "first", error)) << error;
  chmod(m_path.c_str(), 0640);
  ASSERT_TRUE(writeFileAtomically(m_path, std::string("second\0!", 8), error)) << error;
  EXPECT_EQ(contentOf(m_path), std::string("second\0!", 8));
  struct stat info;
  ASSERT_EQ(stat(m_path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(entries().size(), 1u);  // no temporary left behind
}

TEST_F(AtomicWrite, ALinkStaysALinkAndItsTargetIsReplaced) {
  const std::string target = m_directory + "/real.txt";
  std::ofstream(target) << "old";
  const std::string link = m_directory + "/link.txt";
  fs::create_symlink(target, link);
  std::string error;
  ASSERT_TRUE(writeFileAtomically(link, "new", error)) << error;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(contentOf(target), "new");
}

TEST_F(AtomicWrite, AFailureLeavesTheOldFileWholeAndSaysWhy) {
  std::ofstream(m_path) << "old text";
  std::string error;
  EXPECT_FALSE(writeFileAtomically(m_directory, "x", error));
  EXPECT_EQ(error, "Cannot save \u201C" + fs::path(m_directory).filename().string() +
                       "\u201D: it is a folder.");
  EXPECT_FALSE(writeFileAtomically(m_directory + "/missing/c.txt", "x", error));
  EXPECT_EQ(error,
            "Cannot save \u201Cc.txt\u201D: no file can be made in its folder (No such file or "
            "directory).");
  if (geteuid() != 0) {
    chmod(m_directory.c_str(), 0500);
    EXPECT_FALSE(writeFileAtomically(m_path, "new text", error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
  }
  EXPECT_EQ(contentOf(m_path), "old text");
}

TEST_F(AtomicWrite, AWriteCutShortLeavesTheOldFileWholeAndNoTemporary) {
  std::ofstream(m_path) << "old text";
  // A file size limit makes the write fail half way, as a full disk does.
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limited = saved;
  limited.rlim_cur = 1024;
  setrlimit(RLIMIT_FSIZE, &limited);
  std::string error;
  const bool written = writeFileAtomically(m_path, std::string(4096, 'x'), error);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(written);
  EXPECT_EQ(error, "Cannot save \u201Cchapter.txt\u201D: writing failed (File too large).");
  EXPECT_EQ(contentOf(m_path), "old text");
  EXPECT_EQ(entries().size(), 1u);
}

TEST_F(AtomicWrite, ANameAsLongAsTheSystemAllowsIsSavedAndReplaced) {
  const std::string path = m_directory + "/" + std::string(251, 'a') + ".txt";
  std::string error;
  ASSERT_TRUE(writeFileAtomically(path, "first", error)) << error;
  ASSERT_TRUE(writeFileAtomically(path, "second", error)) << error;
  EXPECT_EQ(contentOf(path), "second");
  EXPECT_EQ(entries().size(), 1u);
}

TEST_F(AtomicWrite, APipeIsWrittenIntoAndStaysAPipe) {
  const std::string pipe = m_directory + "/pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  std::string error;
  EXPECT_TRUE(writeFileAtomically(pipe, "through the pipe", error)) << error;
  char buffer[64] = {};
  const ssize_t got = read(reader, buffer, sizeof buffer);
  close(reader);
  EXPECT_EQ(std::string(buffer, got > 0 ? got : 0), "through the pipe");
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(entries(), std::set<std::string>{"pipe"});
}

// The id of a process that has ended.
pid_t endedProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST_F(AtomicWrite, OnlyTheTemporariesOfSavesThatCannotFinishAreRemoved) {
  const std::string dead = std::to_string(endedProcess());
  const std::string alive = std::to_string(getpid());
  for (const std::string& name : std::vector<std::string>{
           ".verbolt-save-" + dead + "-aB3dE9", ".verbolt-save-" + dead + "-locked",
           ".verbolt-save-" + alive + "-xY7zQ1", ".verbolt-save-" + dead + "-toolong",
           ".verbolt-save-x-aB3dE9", "chapter.txt", "chapter.txt.aB3dE9"}) {
    test_support::writeFile(m_dir / name, "some text");
  }
  fs::create_directory(m_dir / (".verbolt-save-" + dead + "-folder"));
  // A save in progress in another window holds its temporary locked.
  const int held = open((m_dir / (".verbolt-save-" + dead + "-locked")).c_str(), O_RDONLY);
  ASSERT_EQ(flock(held, LOCK_EX), 0);

  EXPECT_EQ(removeAbandonedSaves(m_directory), 1);
  close(held);
  EXPECT_EQ(entries(),
            (std::set<std::string>{
                ".verbolt-save-" + dead + "-locked", ".verbolt-save-" + alive + "-xY7zQ1",
                ".verbolt-save-" + dead + "-toolong", ".verbolt-save-" + dead + "-folder",
                ".verbolt-save-x-aB3dE9", "chapter.txt", "chapter.txt.aB3dE9"}));
}

}  // namespace

}  // namespace verbolt
