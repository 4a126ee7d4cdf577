#include "manuscript/atomic_write.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "files/abandoned_temporary.h"
#include "files/durable_write.h"

namespace verbolt {

namespace {

std::string quoted(const std::string& path) {
  return "\u201C" + std::filesystem::path(path).filename().string() + "\u201D";
}

std::string failedBecause(const std::string& what, const std::string& path) {
  return "Cannot save " + quoted(path) + ": " + what + " (" + std::strerror(errno) + ").";
}

// Renaming over a link would put a plain file in its place: the file the
// link points to is the one to replace.
std::string resolvedTarget(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  std::filesystem::path target = std::filesystem::canonical(path, error);
  return error ? path : target.string();
}

// The new file keeps the old one's permissions; a first file gets the
// usual ones for the user's umask.
mode_t permissionsFor(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A pipe, a socket or a device cannot be replaced by a file: the bytes go
// into it as they come, as a shell's redirection would send them.
bool writeIntoSpecialFile(const std::string& path, const std::string& target,
                          std::string_view bytes, std::string& error) {
  // A pipe that no program reads would hold the open for ever: it fails
  // at once instead, and the writes wait for the reader as usual.
  const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    error = failedBecause(
        errno == ENXIO ? "no program reads from it" : "it cannot be opened for writing", path);
    return false;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  bool ok = writeAll(fd, bytes);
  if (!ok) error = failedBecause("writing failed", path);
  if (close(fd) != 0 && ok) {
    ok = false;
    error = failedBecause("writing failed", path);
  }
  return ok;
}

// The temporary's name stays short whatever the file's own, so that a
// file whose name is as long as the system allows can still be saved; it
// names this process, which tells a save in progress from one a kill left.
constexpr std::string_view kTemporaryPrefix = ".verbolt-save-";
std::string temporaryPattern(const std::string& target) {
  const std::filesystem::path folder = std::filesystem::path(target).parent_path();
  const std::string name = std::string(kTemporaryPrefix) + std::to_string(getpid()) + "-XXXXXX";
  return (folder / name).string();
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  const std::string target = resolvedTarget(path);
  struct stat info;
  if (stat(target.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      error = "Cannot save " + quoted(path) + ": it is a folder.";
      return false;
    }
    if (!S_ISREG(info.st_mode)) return writeIntoSpecialFile(path, target, bytes, error);
  }
  std::string temporary = temporaryPattern(target);
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    error = failedBecause("no file can be made in its folder", path);
    return false;
  }
  // Held until the rename: the next opening of the folder, in this window or
  // another, then knows the save is in progress.
  flock(fd, LOCK_EX | LOCK_NB);
  bool ok = true;
  if (fchmod(fd, permissionsFor(target)) != 0) {
    ok = false;
    error = failedBecause("its permissions cannot be kept", path);
  } else if (!writeAll(fd, bytes) || !syncFile(fd)) {
    ok = false;
    error = failedBecause("writing failed", path);
  }
  if (close(fd) != 0 && ok) {
    ok = false;
    error = failedBecause("writing failed", path);
  }
  if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    error = failedBecause("the new file cannot take the old one's place", path);
  }
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  syncParentDirectory(target);
  return true;
}

int removeAbandonedSaves(const std::string& folder) {
  std::error_code error;
  std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
  int removed = 0;
  for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
    const pid_t saver = saverInName(entries->path().filename().string(), kTemporaryPrefix);
    if (saver == 0 || processRuns(saver)) continue;
    // A manuscript can hold any bytes: the name and the lock tell alone.
    if (removeIfAbandoned(entries->path().string(), [](int) { return true; })) ++removed;
  }
  return removed;
}

}  // namespace verbolt
