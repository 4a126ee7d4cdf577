#include "cli/input_files.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "test_support/test_support.h"

namespace verbolt {

namespace fs = std::filesystem;

namespace {

class InputFiles : public test_support::FolderTest {
 protected:
  void touch(const std::string& name) {
    fs::create_directories((m_dir / name).parent_path());
    std::ofstream(m_dir / name) << "text";
  }

  std::vector<std::string> relativePaths(const std::vector<InputFile>& files) {
    std::vector<std::string> paths;
    for (const InputFile& file : files) {
      EXPECT_EQ(file.problem, "") << file.path;
      const bool standardInput = file.path == "-";
      paths.push_back(standardInput ? "-" : fs::path(file.path).lexically_relative(m_dir).string());
    }
    return paths;
  }
};

TEST_F(InputFiles, FoldersGiveTheirManuscriptsAtAnyDepthInSortedOrder) {
  for (const char* name : {"b.md", "a/z.TXT", "a/b/c.docx", "a/notes.odt", "a-b.md", "img.png",
                           "README", ".hidden.md", ".git/x.md", "a/.cache/y.txt"}) {
    touch(name);
  }
  EXPECT_EQ(relativePaths(inputFiles({m_dir.string()})),
            (std::vector<std::string>{"a-b.md", "a/b/c.docx", "a/notes.odt", "a/z.TXT", "b.md"}));
}

TEST_F(InputFiles, OperandsKeepTheirOrderAndFilesAreTakenWhateverTheirName) {
  touch("d/one.md");
  touch("two.rst");
  const std::vector<InputFile> files = inputFiles(
      {(m_dir / "two.rst").string(), (m_dir / "d").string(), "-", (m_dir / "missing.md").string()});
  EXPECT_EQ(relativePaths(files),
            (std::vector<std::string>{"two.rst", "d/one.md", "-", "missing.md"}));
}

TEST_F(InputFiles, LinksToFoldersAreNotFollowed) {
  touch("real/one.md");
  fs::create_directory_symlink(m_dir, m_dir / "real" / "loop");
  EXPECT_EQ(relativePaths(inputFiles({m_dir.string()})), (std::vector<std::string>{"real/one.md"}));
}

}  // namespace

}  // namespace verbolt
