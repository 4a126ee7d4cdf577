#include "settings/recent_file_list.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, ReadsBackWhatItWrites) {
  const Paths paths = {"/home/ann/roman.odt", "/home/ann/a b/c.txt", "/tmp/\xC3\xA9t\xC3\xA9.md"};
  EXPECT_EQ(recentFilesText(paths), "/home/ann/roman.odt\n/home/ann/a b/c.txt\n" +
                                        std::string("/tmp/\xC3\xA9t\xC3\xA9.md\n"));
  EXPECT_EQ(parseRecentFiles(recentFilesText(paths)), paths);
  EXPECT_EQ(recentFilesText({}), "");
}

TEST(RecentFileList, SkipsBlankLinesAndTakesALastLineWithoutItsEnd) {
  EXPECT_EQ(parseRecentFiles("\n/a.txt\n\n\n/b.md"), (Paths{"/a.txt", "/b.md"}));
  EXPECT_EQ(parseRecentFiles(""), Paths{});
  EXPECT_EQ(parseRecentFiles("\n\n"), Paths{});
}

}  // namespace

}  // namespace verbolt
