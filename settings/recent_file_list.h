// recent-files.txt, in the program's settings folder: the manuscripts
// opened or saved last, one absolute path a line, the newest first.
#pragma once

#include <string>
#include <vector>

#include "settings/preferences_file.h"

namespace verbolt {

inline constexpr char kRecentFilesName[] = "recent-files.txt";

// The File menu lists nine; a path longer than a file system takes is no
// file's, and is skipped.
inline constexpr LineBounds kRecentFilesBounds = {9, 4096};

// The paths the file at `path` lists, the newest first; blank lines are
// skipped.
std::vector<std::string> readRecentFiles(const std::string& path);
// The file's text for `newestFirst`.
std::string recentFilesText(const std::vector<std::string>& newestFirst);

}  // namespace verbolt
