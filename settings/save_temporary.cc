#include "settings/save_temporary.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "settings/configuration.h"

namespace verbolt {

namespace {

constexpr std::string_view kMarker = ".verbolt-";
constexpr size_t kRandomLength = 6;  // the XXXXXX of mkostemp

// The saving process's id when `name` is a temporary of the file named
// `base`, else 0.
pid_t ownerOf(std::string_view name, std::string_view base) {
  if (!name.starts_with(base)) return 0;
  name.remove_prefix(base.size());
  if (!name.starts_with(kMarker)) return 0;
  name.remove_prefix(kMarker.size());
  pid_t pid = 0;
  auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc() || pid <= 0) return 0;
  std::string_view rest(end, static_cast<size_t>(name.data() + name.size() - end));
  if (rest.size() != 1 + kRandomLength || rest[0] != '-') return 0;
  for (char c : rest.substr(1)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return 0;
  }
  return pid;
}

bool isRunning(pid_t pid) { return kill(pid, 0) == 0 || errno == EPERM; }

// A save writes the header first: a killed one leaves a beginning of it,
// or more, or nothing at all.
bool holdsABeginningOfASave(int fd) {
  std::string expected = std::string(kConfigurationHeader) + "\n";
  std::string content(expected.size(), '\0');
  ssize_t got = pread(fd, content.data(), content.size(), 0);
  if (got < 0) return false;
  return expected.compare(0, static_cast<size_t>(got), content, 0, static_cast<size_t>(got)) == 0;
}

// Removes `path` if it is an abandoned save of this user's.
bool removeIfAbandoned(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool abandoned = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
                   flock(fd, LOCK_EX | LOCK_NB) == 0 && holdsABeginningOfASave(fd);
  bool removed = abandoned && unlink(path.c_str()) == 0;
  close(fd);
  return removed;
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
    pid_t owner = ownerOf(name, base);
    if (owner == 0 || isRunning(owner)) continue;
    if (removeIfAbandoned(entries->path().string())) ++removed;
  }
  return removed;
}

}  // namespace verbolt
