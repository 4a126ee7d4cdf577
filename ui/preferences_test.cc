// The preferences files of the settings folder (the recent files, the kind
// of similar words) as the window reads and stores them: a symbolic link
// there is neither read nor written through, a long or huge file is read
// only up to its bound, and a file the user may not read is kept aside
// and replaced by one the next start can read.
#include "ui/preferences.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/frame.h>
#include <wx/menu.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "lemma/dictionary.h"
#include "settings/recent_file_list.h"
#include "test_support/test_support.h"
#include "ui/families_choice.h"
#include "ui/recent_files.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;
using test_support::readFile;
using test_support::writeFile;

// Each test has a settings folder of its own under its folder.
class PreferencesFiles : public test_support::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    m_previousConfigHome = previous ? previous : "";
    setenv("XDG_CONFIG_HOME", (m_dir / "xdg").c_str(), 1);
    fs::create_directories(folder());
  }
  void TearDown() override {
    setenv("XDG_CONFIG_HOME", m_previousConfigHome.c_str(), 1);
    FolderTest::TearDown();
  }

  fs::path folder() const { return m_dir / "xdg" / "verbolt"; }
  fs::path recentFiles() const { return folder() / kRecentFilesName; }

  // The recent files a start lists, newest first.
  static std::vector<std::string> listedAtStart() {
    wxMenu menu;
    RecentFiles recent(&menu);
    std::vector<std::string> paths;
    for (size_t i = 0; i < recent.Count(); ++i) paths.push_back(recent.Path(i).ToStdString());
    return paths;
  }

  std::string m_previousConfigHome;
};

TEST_F(PreferencesFiles, ALinkedRecentFilesListIsNeitherReadNorWrittenThrough) {
  const fs::path target = m_dir / "notes.txt";
  const std::string notes = "/home/ann/private.txt\n/home/ann/diary.txt\n";
  writeFile(target, notes);
  fs::create_symlink(target, recentFiles());

  EXPECT_TRUE(listedAtStart().empty());
  {
    wxMenu menu;
    RecentFiles recent(&menu);
    recent.Add("/home/ann/roman.txt");
  }
  EXPECT_EQ(readFile(target), notes);
  EXPECT_FALSE(fs::is_symlink(recentFiles()));
  EXPECT_TRUE(fs::is_regular_file(recentFiles()));
  EXPECT_EQ(readFile(recentFiles()), "/home/ann/roman.txt\n");
  EXPECT_EQ(listedAtStart(), std::vector<std::string>{"/home/ann/roman.txt"});
}

TEST_F(PreferencesFiles, TheRecentFilesAreReadUpToNineShortLines) {
  std::string text = "/" + std::string(5000, 'a') + "\n";
  std::vector<std::string> expected;
  for (int i = 0; i < 12; ++i) {
    const std::string path = "/home/ann/chapter-" + std::to_string(i) + ".txt";
    text += path + "\n";
    if (i < 9) expected.push_back(path);
  }
  writeFile(recentFiles(), text);
  EXPECT_EQ(listedAtStart(), expected);

  // A huge file of one line lists nothing.
  writeFile(recentFiles(), std::string(64 << 20, 'x') + "\n/home/ann/after.txt\n");
  EXPECT_TRUE(listedAtStart().empty());
}

TEST_F(PreferencesFiles, ALinkedFamiliesFileIsNeitherReadNorWrittenThrough) {
  if (!findDictionary(Language::kFrench, FamiliesChoice::DictionaryFolder())) {
    GTEST_SKIP() << "no French dictionary";
  }
  const fs::path target = m_dir / "choice.txt";
  writeFile(target, "lemma-fr\n");
  fs::create_symlink(target, FamiliesChoice::PreferencesPath());
  auto* frame = new wxFrame(nullptr, wxID_ANY, "families");
  auto* choice = new FamiliesChoice(frame);
  EXPECT_EQ(choice->Kind(), FamilyKind::kBeginning);
  choice->Choose(FamilyKind::kLemmaFrench);
  EXPECT_EQ(readFile(target), "lemma-fr\n");
  EXPECT_FALSE(fs::is_symlink(FamiliesChoice::PreferencesPath()));
  EXPECT_EQ(readFile(FamiliesChoice::PreferencesPath()), "lemma-fr\n");
  frame->Destroy();
}

// Runs `check` in a child process as a user who cannot read a file of mode
// 000: the test's own user, or nobody when the tests run as root, who then
// owns the settings folder. True when it returned true.
bool asUnprivilegedUser(const fs::path& folder, const std::function<bool()>& check) {
  constexpr uid_t kNobody = 65534;
  if (geteuid() == 0) {
    for (const fs::path& dir : {folder.parent_path(), folder}) {
      if (chown(dir.c_str(), kNobody, kNobody) != 0) return false;
    }
  }
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(3);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(PreferencesFiles, AnUnreadableFileIsKeptAsideAndReplacedByAReadableOne) {
  const std::string path = recentFiles().string();
  writeFile(path + ".bak", "an earlier backup\n");
  writeFile(path, "/home/ann/roman.txt\n");
  chmod(path.c_str(), 0);
  EXPECT_TRUE(asUnprivilegedUser(folder(), [&] {
    storePreferences(kRecentFilesName, "/home/ann/essai.txt\n");
    struct stat kept;
    struct stat stored;
    return stat((path + ".bak.1").c_str(), &kept) == 0 && (kept.st_mode & 0777) == 0 &&
           stat(path.c_str(), &stored) == 0 && (stored.st_mode & S_IRUSR) &&
           (stored.st_mode & S_IWUSR) && readFile(path) == "/home/ann/essai.txt\n" &&
           readFile(path + ".bak") == "an earlier backup\n";
  }));
}

}  // namespace

}  // namespace verbolt
