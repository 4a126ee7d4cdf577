#include "test_support/test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace verbolt {

namespace fs = std::filesystem;

namespace test_support {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string programOnPath(std::string_view name) {
  const char* path = std::getenv("PATH");
  const std::string folders = path ? path : "";
  for (size_t start = 0; start <= folders.size();) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const fs::path candidate = fs::path(folders.substr(start, end - start)) / name;
    if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate.string();
    start = end + 1;
  }
  return {};
}

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit,
             const std::function<void()>& between) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    if (between) {
      between();
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  return true;
}

namespace {

// Gives the owner back every right a test may have taken away, so that the
// folder can be removed.
void restoreRights(const fs::path& folder) {
  std::error_code ignored;
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (auto entry = fs::recursive_directory_iterator(folder, ignored);
       entry != fs::recursive_directory_iterator(); entry.increment(ignored)) {
    if (entry->is_directory(ignored) && !entry->is_symlink(ignored)) {
      fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
}

}  // namespace

void FolderTest::SetUp() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "-" + test->name();
  for (char& c : name) {
    if (c == '/') c = '_';  // parameterised tests carry a slash
  }
  m_dir = fs::temp_directory_path() / ("verbolt-" + std::to_string(getpid()) + "-" + name);
  std::error_code ignored;
  restoreRights(m_dir);
  fs::remove_all(m_dir, ignored);
  fs::create_directories(m_dir);
}

void FolderTest::TearDown() {
  std::error_code ignored;
  restoreRights(m_dir);
  fs::remove_all(m_dir, ignored);
}

std::set<std::string> FolderTest::entries() const {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(m_dir)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

}  // namespace test_support

}  // namespace verbolt
