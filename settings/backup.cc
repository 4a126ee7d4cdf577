#include "settings/backup.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>

namespace verbolt {

namespace {

// Past this many backups something else is wrong; the file is left alone.
constexpr int kMostBackups = 10000;

std::string backupName(const std::string& path, int number) {
  std::string name = path + ".bak";
  if (number > 0) name += "." + std::to_string(number);
  return name;
}

// A rename that fails rather than replace an existing `to`. File systems
// without that kind of rename get a check first, which two starts at the
// same moment could both pass.
bool renameWithoutReplacing(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  struct stat info;
  if (lstat(to.c_str(), &info) == 0) {
    errno = EEXIST;
    return false;
  }
  return rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

Backup keepAsBackup(const std::string& path) {
  struct stat info;
  // A directory named like the file is not a file to replace: the save
  // fails on it and leaves it as it is.
  if (lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
    return {Backup::Outcome::kNothingThere, {}, 0};
  }
  for (int number = 0; number < kMostBackups; ++number) {
    std::string name = backupName(path, number);
    if (renameWithoutReplacing(path, name)) return {Backup::Outcome::kKept, name, 0};
    if (errno != EEXIST) break;
  }
  return {Backup::Outcome::kFailed, {}, errno};
}

}  // namespace verbolt
