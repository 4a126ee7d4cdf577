// The program's preferences files (the recent files, the kind of similar
// words) on disk. They are small files of a few short lines that only this
// program writes, in a settings folder of the user's own: anything else
// found under their names is read as nothing, and never written through.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/backup.h"

namespace verbolt {

struct LineBounds {
  size_t lines;      // at most this many lines are taken
  size_t lineBytes;  // a longer line is skipped
};

// The non-empty lines of the file at `path`, in order, within `bounds`:
// reading stops once `bounds.lines` lines are taken, or after as many bytes
// as that many lines of the longest length would hold. Nothing when `path`
// is a symbolic link (wherever it points), is not a regular file, or
// cannot be read.
std::vector<std::string> readPreferenceLines(const std::string& path, LineBounds bounds);

// Replaces the file at `path` with `content`: written beside it, flushed
// and renamed over it, readable and writable by the user alone. A symbolic
// link there is itself replaced, its target left as it was. A regular file
// the user may not read is somebody's to look at first: it is kept under a
// backup name (see keepAsBackup), which the result tells. False in `stored`
// when nothing could be written.
struct PreferenceStore {
  bool stored = false;
  Backup backup{Backup::Outcome::kNothingThere, {}, 0};
};
PreferenceStore storePreferenceFile(const std::string& path, std::string_view content);

}  // namespace verbolt
