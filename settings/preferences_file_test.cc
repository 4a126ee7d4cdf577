#include "settings/preferences_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>

#include "test_support/test_support.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test_support::readFile;
using test_support::writeFile;

constexpr LineBounds kThreeShort = {3, 8};

class PreferencesFile : public test_support::FolderTest {
 protected:
  std::string path() const { return (m_dir / "prefs.txt").string(); }
  Lines read(LineBounds bounds = kThreeShort) const { return readPreferenceLines(path(), bounds); }
};

TEST_F(PreferencesFile, TakesTheShortLinesUpToTheBound) {
  writeFile(path(), "\none\n1234567890123\n\ntwo\r\n123456789012\nfour\n");
  EXPECT_EQ(read({3, 12}), (Lines{"one", "two\r", "123456789012"}));
  writeFile(path(), "one\ntwo");
  EXPECT_EQ(read(), (Lines{"one", "two"}));
  writeFile(path(), "");
  EXPECT_EQ(read(), Lines{});
  EXPECT_EQ(readPreferenceLines((m_dir / "missing").string(), kThreeShort), Lines{});
}

TEST_F(PreferencesFile, StopsReadingAtItsBoundWhateverTheFileHolds) {
  // 3 lines of 8 bytes: 27 bytes at most are read.
  writeFile(path(), std::string(26, '\n') + "late\n");
  EXPECT_EQ(read(), Lines{});
  writeFile(path(), std::string(1 << 20, 'x') + "\nlate\n");
  EXPECT_EQ(read(), Lines{});
  // A line the bound cuts is not taken as a whole one.
  writeFile(path(), std::string(23, '\n') + "1234567");
  EXPECT_EQ(read(), Lines{});
  writeFile(path(), std::string(19, '\n') + "1234567");
  EXPECT_EQ(read(), Lines{"1234567"});
}

TEST_F(PreferencesFile, ALinkAPipeOrAFolderReadsAsNothing) {
  const fs::path target = m_dir / "target.txt";
  writeFile(target, "secret\n");
  fs::create_symlink(target, path());
  EXPECT_EQ(read(), Lines{});
  fs::remove(path());
  fs::create_symlink("target.txt", path());
  EXPECT_EQ(read(), Lines{}) << "a link inside the folder is not followed either";
  fs::remove(path());
  // Nobody writes to the pipe: a read that waited would never end.
  ASSERT_EQ(mkfifo(path().c_str(), 0600), 0);
  EXPECT_EQ(read(), Lines{});
  fs::remove(path());
  fs::create_directory(path());
  EXPECT_EQ(read(), Lines{});
}

TEST_F(PreferencesFile, StoringReplacesALinkAndNeverItsTarget) {
  const fs::path target = m_dir / "target.txt";
  writeFile(target, "secret\n");
  fs::create_symlink(target, path());
  const PreferenceStore store = storePreferenceFile(path(), "mine\n");
  EXPECT_TRUE(store.stored);
  EXPECT_EQ(store.backup.outcome, Backup::Outcome::kNothingThere);
  EXPECT_EQ(readFile(target), "secret\n");
  EXPECT_FALSE(fs::is_symlink(path()));
  EXPECT_EQ(readFile(path()), "mine\n");
  struct stat info;
  ASSERT_EQ(stat(path().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(entries(), (std::set<std::string>{"prefs.txt", "target.txt"}));
}

TEST_F(PreferencesFile, StoringLeavesAPipeOrAFolderAlone) {
  ASSERT_EQ(mkfifo(path().c_str(), 0600), 0);
  EXPECT_FALSE(storePreferenceFile(path(), "mine\n").stored);
  EXPECT_TRUE(fs::is_fifo(path()));
  fs::remove(path());
  fs::create_directory(path());
  EXPECT_FALSE(storePreferenceFile(path(), "mine\n").stored);
  EXPECT_TRUE(fs::is_directory(path()));
  EXPECT_EQ(entries(), std::set<std::string>{"prefs.txt"});
}

// Runs `check` in a child as a user who cannot read a file of mode 000:
// the test's own user, or nobody, owning the folder, under root.
bool asUnprivilegedUser(const fs::path& dir, const std::function<bool()>& check) {
  constexpr uid_t kNobody = 65534;
  if (geteuid() == 0 && chown(dir.c_str(), kNobody, kNobody) != 0) return false;
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(3);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(PreferencesFile, AnUnreadableFileIsKeptAsideBeforeTheNewOneTakesItsName) {
  writeFile(path() + ".bak", "earlier\n");
  writeFile(path(), "old\n");
  chmod(path().c_str(), 0);
  const std::string file = path();
  EXPECT_TRUE(asUnprivilegedUser(m_dir, [&] {
    if (!readPreferenceLines(file, kThreeShort).empty()) return false;
    const PreferenceStore store = storePreferenceFile(file, "new\n");
    struct stat kept;
    return store.stored && store.backup.outcome == Backup::Outcome::kKept &&
           store.backup.name == file + ".bak.1" && stat(store.backup.name.c_str(), &kept) == 0 &&
           (kept.st_mode & 0777) == 0 && readPreferenceLines(file, kThreeShort) == Lines{"new"} &&
           readFile(file + ".bak") == "earlier\n";
  }));
}

}  // namespace

}  // namespace verbolt
