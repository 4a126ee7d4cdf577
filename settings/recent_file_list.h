// recent-files.txt, in the program's settings folder: the manuscripts
// opened or saved last, one absolute path a line, the newest first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verbolt {

inline constexpr char kRecentFilesName[] = "recent-files.txt";

// The paths the file lists, the newest first; blank lines are skipped.
std::vector<std::string> parseRecentFiles(std::string_view text);
// The file's text for `newestFirst`.
std::string recentFilesText(const std::vector<std::string>& newestFirst);

}  // namespace verbolt
