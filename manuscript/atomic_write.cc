#include "manuscript/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

std::string quoted(const std::string& path) {
  return "\u201C" + std::filesystem::path(path).filename().string() + "\u201D";
}

std::string failedBecause(const std::string& what, const std::string& path) {
  return "Cannot save " + quoted(path) + ": " + what + " (" + std::strerror(errno) + ").";
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

bool syncFile(int fd) {
  int result;
  do {
    result = fsync(fd);
  } while (result != 0 && errno == EINTR);
  return result == 0;
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

// Makes the rename survive a power cut where the file system allows it.
void syncDirectoryOf(const std::string& path) {
  const std::string directory = std::filesystem::path(path).parent_path().string();
  const int fd =
      open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  syncFile(fd);
  close(fd);
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  const std::string target = resolvedTarget(path);
  struct stat info;
  if (stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    error = "Cannot save " + quoted(path) + ": it is a folder.";
    return false;
  }
  std::string temporary = target + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    error = failedBecause("no file can be made in its folder", path);
    return false;
  }
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
  syncDirectoryOf(target);
  return true;
}
