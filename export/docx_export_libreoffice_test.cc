// LibreOffice as the reader of the .docx export: it opens the package, its
// text export starts with the text, and the highlights it shows are the
// colours the export gave.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "export/docx_export.h"
#include "test_support/test_support.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;

class LibreOfficeReadsTheDocxExport : public test_support::FolderTest {};

TEST_F(LibreOfficeReadsTheDocxExport, WithItsTextAndItsColours) {
  const std::string program = test_support::programOnPath("soffice");
  if (program.empty()) {
    std::printf("soffice is not installed: LibreOffice cannot check the .docx export\n");
    GTEST_SKIP();
  }
  const std::string text =
      "The garden was green, the garden was wide.\n\tl'\u00E9t\u00E9 & <autumn>\n\nLast line";
  const std::vector<ColourRun> runs = {{4, 10, {255, 255, 140}}, {26, 32, {220, 200, 255}}};
  const std::vector<LegendEntry> legend = {{{255, 255, 140}, "Close repetitions"}};
  const std::optional<std::string> package =
      exportDocx({text, runs, "  2 : garden\n", "Garden", legend});
  ASSERT_TRUE(package);
  test_support::writeFile(m_dir / "garden.docx", *package);

  const fs::path out = m_dir / "out";
  const std::string command = program + " -env:UserInstallation=file://" +
                              (m_dir / "profile").string() +
                              " --headless --convert-to txt:Text --outdir " + out.string() + " " +
                              (m_dir / "garden.docx").string() + " >/dev/null 2>&1 && " + program +
                              " -env:UserInstallation=file://" + (m_dir / "profile").string() +
                              " --headless --convert-to fodt --outdir " + out.string() + " " +
                              (m_dir / "garden.docx").string() + " >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  std::string exported = test_support::readFile(out / "garden.txt");
  // The export starts with a byte-order mark: it is UTF-8, not text.
  if (exported.starts_with("\xEF\xBB\xBF")) exported.erase(0, 3);
  EXPECT_TRUE(exported.starts_with(text + "\n")) << exported;
  EXPECT_NE(exported.find("Close repetitions"), std::string::npos);
  EXPECT_NE(exported.find("  2 : garden"), std::string::npos);

  // LibreOffice names the shading as the character background it shows.
  const std::string fodt = test_support::readFile(out / "garden.fodt");
  EXPECT_NE(fodt.find("fo:background-color=\"#ffff8c\""), std::string::npos);
  EXPECT_NE(fodt.find("fo:background-color=\"#dcc8ff\""), std::string::npos);
}

}  // namespace

}  // namespace verbolt
