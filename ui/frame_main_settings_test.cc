// What the main window does with the config.txt it finds at start-up.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "settings/configuration.h"
#include "ui/main_window_fixture.h"

namespace verbolt {

namespace {

int linesStartingWith(const std::string& text, const std::string& prefix) {
  int count = 0;
  for (size_t at = 0; at < text.size();) {
    size_t end = std::min(text.find('\n', at), text.size());
    if (text.compare(at, prefix.size(), prefix) == 0) ++count;
    at = end + 1;
  }
  return count;
}

TEST_F(MainWindow, AnotherProgramsConfigIsKeptAndSaidOnceOnStandardError) {
  const std::string foreign = "resolution=1920x1080\n";
  std::ofstream(configPath(), std::ios::binary) << foreign;
  testing::internal::CaptureStderr();
  openFrame();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(linesStartingWith(err, "verbolt:"), 1) << err;
  EXPECT_NE(err.find("config.txt.bak"), std::string::npos) << err;
  EXPECT_EQ(readFile(m_dir / "config.txt.bak"), foreign);
  EXPECT_EQ(readFile(configPath()), configurationText(AnalysisSettings::Defaults()));
  EXPECT_EQ(numberField(&AnalysisSettings::m_closeDistance)->GetValue(), "100");
  closeFrame();
  EXPECT_EQ(readFile(m_dir / "config.txt.bak"), foreign);
}

TEST_F(MainWindow, ALoadableOrMissingConfigIsNotSetAside) {
  testing::internal::CaptureStderr();
  openFrame();
  closeFrame();
  openFrame();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(linesStartingWith(err, "verbolt:"), 0) << err;
  EXPECT_FALSE(fs::exists(m_dir / "config.txt.bak"));
  EXPECT_EQ(readFile(configPath()), configurationText(AnalysisSettings::Defaults()));
}

TEST_F(MainWindow, LeftoversOfAKilledSaveAreRemovedAtStartAndNothingElse) {
  pid_t ended = fork();
  if (ended == 0) _exit(0);
  waitpid(ended, nullptr, 0);
  const std::string header = std::string(kConfigurationHeader) + "\n";
  const fs::path leftover = m_dir / ("config.txt.verbolt-" + std::to_string(ended) + "-x1y2z3");
  const fs::path foreign = m_dir / "config.txt.x1y2z3";
  std::ofstream(leftover, std::ios::binary) << header.substr(0, 7);
  std::ofstream(foreign, std::ios::binary) << header;
  openFrame();
  EXPECT_FALSE(fs::exists(leftover));
  EXPECT_EQ(readFile(foreign), header);
}

}  // namespace

}  // namespace verbolt
