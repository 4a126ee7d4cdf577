// Keeps a file that is about to be replaced under a free name beside it.
#pragma once

#include <string>

namespace verbolt {

struct Backup {
  enum class Outcome { kNothingThere, kKept, kFailed };
  Outcome outcome;
  std::string name;  // the backup's path when kept
  int error = 0;     // errno of the rename that failed
};

// Renames whatever `path` names, unless it is missing or a directory, to
// the first free name of `path`.bak, `path`.bak.1, `path`.bak.2... An
// existing backup is never replaced.
Backup keepAsBackup(const std::string& path);

}  // namespace verbolt
