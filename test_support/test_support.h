// What the tests of every folder share: a folder of their own on disk,
// whole-file reads and writes, and a wait for a condition.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace verbolt {

namespace test_support {

// The bytes of a file; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);
// Writes `bytes` as the whole file, creating or truncating it.
void writeFile(const std::filesystem::path& path, std::string_view bytes);

// `text` with its first `from` replaced by `to`; a failure of the test
// when `text` holds no `from`.
std::string replaced(std::string text, const std::string& from, const std::string& to);

// The path of the program `name` in a folder of PATH, as a shell finds
// it; empty when there is none.
std::string programOnPath(std::string_view name);

// Calls `between` (by default a short sleep) until `done()` holds, for at
// most `limit`. True when it came to hold.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit,
             const std::function<void()>& between = {});

// A test that runs in an empty folder of its own, named after the test and
// the process so that tests running side by side never meet. The folder
// and everything in it goes at the end, whatever permissions a test left.
class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The names of the folder's entries.
  std::set<std::string> entries() const;

  std::filesystem::path m_dir;
};

}  // namespace test_support

}  // namespace verbolt
