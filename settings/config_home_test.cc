#include "settings/config_home.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "test_support/test_support.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;

TEST(ConfigHomeFolder, FollowsXdgConfigHomeThenTheHomeFolder) {
  EXPECT_EQ(configHomeFolder("/x/conf", "/home/ann"), "/x/conf/verbolt");
  EXPECT_EQ(configHomeFolder(nullptr, "/home/ann"), "/home/ann/.config/verbolt");
  EXPECT_EQ(configHomeFolder("", "/home/ann"), "/home/ann/.config/verbolt");
  EXPECT_EQ(configHomeFolder("relative/conf", "/home/ann"), "/home/ann/.config/verbolt");
  EXPECT_EQ(configHomeFolder(nullptr, nullptr), "");
  EXPECT_EQ(configHomeFolder(nullptr, "home"), "");
}

class EnterFolder : public test_support::FolderTest {
 protected:
  void SetUp() override {
    m_previous = fs::current_path();
    FolderTest::SetUp();
  }
  void TearDown() override {
    fs::current_path(m_previous);
    FolderTest::TearDown();
  }
  fs::path m_previous;
};

TEST_F(EnterFolder, CreatesMissingPrivateFoldersAndEntersThem) {
  const fs::path folder = m_dir / ".config" / "verbolt";
  std::string problem;
  ASSERT_TRUE(enterFolder(folder.string(), problem)) << problem;
  EXPECT_EQ(fs::current_path(), folder);
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
  // An existing folder is entered as it is.
  fs::current_path(m_dir);
  ASSERT_TRUE(enterFolder(folder.string(), problem)) << problem;
  EXPECT_EQ(fs::current_path(), folder);
}

TEST_F(EnterFolder, AFileInTheWayIsNamedInTheProblem) {
  std::ofstream(m_dir / ".config") << "a file\n";
  std::string problem;
  EXPECT_FALSE(enterFolder((m_dir / ".config" / "verbolt").string(), problem));
  EXPECT_NE(problem.find(".config"), std::string::npos) << problem;
  EXPECT_FALSE(enterFolder("", problem));
  EXPECT_NE(problem.find("HOME"), std::string::npos) << problem;
}

}  // namespace

}  // namespace verbolt
