#include "settings/save_temporary.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "files/abandoned_temporary.h"
#include "settings/configuration.h"

namespace verbolt {

namespace {

constexpr std::string_view kMarker = ".verbolt-";

// A save writes the header first: a killed one leaves a beginning of it,
// or more, or nothing at all.
bool holdsABeginningOfASave(int fd) {
  std::string expected = std::string(kConfigurationHeader) + "\n";
  std::string content(expected.size(), '\0');
  ssize_t got = pread(fd, content.data(), content.size(), 0);
  if (got < 0) return false;
  return expected.compare(0, static_cast<size_t>(got), content, 0, static_cast<size_t>(got)) == 0;
}

}  // namespace

int createSaveTemporary(const std::string& path, std::string& name) {
  name = path + std::string(kMarker) + std::to_string(getpid()) + "-XXXXXX";
  // Not inherited by the web browser the program may start meanwhile.
  int fd = mkostemp(name.data(), O_CLOEXEC);
  // Without locks on this file system the owner's id alone tells.
  if (fd >= 0) flock(fd, LOCK_EX | LOCK_NB);
  return fd;
}

int removeLeftoverTemporaries(const std::string& path) {
  const std::filesystem::path target(path);
  const std::string base = target.filename().string();
  const std::filesystem::path directory =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::error_code error;
  std::filesystem::directory_iterator entries(directory, error);
  int removed = 0;
  for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
    const std::string name = entries->path().filename().string();
    const pid_t owner = saverInName(name, base + std::string(kMarker));
    if (owner == 0 || processRuns(owner)) continue;
    if (removeIfAbandoned(entries->path().string(), holdsABeginningOfASave)) ++removed;
  }
  return removed;
}

}  // namespace verbolt
