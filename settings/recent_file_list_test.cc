#include "settings/recent_file_list.h"

#include <gtest/gtest.h>

#include "test_support/test_support.h"

namespace verbolt {

namespace {

using Paths = std::vector<std::string>;
using test_support::writeFile;

class RecentFileList : public test_support::FolderTest {
 protected:
  std::string path() const { return (m_dir / kRecentFilesName).string(); }
};

TEST_F(RecentFileList, ReadsBackWhatItWrites) {
  const Paths paths = {"/home/ann/roman.odt", "/home/ann/a b/c.txt", "/tmp/\xC3\xA9t\xC3\xA9.md",
                       "/tmp/caf\xE9.txt"};
  EXPECT_EQ(recentFilesText(paths),
            "/home/ann/roman.odt\n/home/ann/a b/c.txt\n" +
                std::string("/tmp/\xC3\xA9t\xC3\xA9.md\n/tmp/caf\xE9.txt\n"));
  writeFile(path(), recentFilesText(paths));
  EXPECT_EQ(readRecentFiles(path()), paths);
  EXPECT_EQ(recentFilesText({}), "");
}

TEST_F(RecentFileList, SkipsBlankLinesAndTakesALastLineWithoutItsEnd) {
  writeFile(path(), "\n/a.txt\n\n\n/b.md");
  EXPECT_EQ(readRecentFiles(path()), (Paths{"/a.txt", "/b.md"}));
  writeFile(path(), "");
  EXPECT_EQ(readRecentFiles(path()), Paths{});
  writeFile(path(), "\n\n");
  EXPECT_EQ(readRecentFiles(path()), Paths{});
}

TEST_F(RecentFileList, TakesNinePathsOfAtMost4096Bytes) {
  std::string text = "/" + std::string(4096, 'a') + "\n/" + std::string(4095, 'b') + "\n";
  for (int i = 0; i < 10; ++i) text += "/" + std::to_string(i) + ".txt\n";
  writeFile(path(), text);
  const Paths read = readRecentFiles(path());
  ASSERT_EQ(read.size(), 9u);
  EXPECT_EQ(read[0], "/" + std::string(4095, 'b'));
  EXPECT_EQ(read[8], "/7.txt");
}

}  // namespace

}  // namespace verbolt
