#include "settings/recent_file_list.h"

namespace verbolt {

std::vector<std::string> readRecentFiles(const std::string& path) {
  return readPreferenceLines(path, kRecentFilesBounds);
}

std::string recentFilesText(const std::vector<std::string>& newestFirst) {
  std::string text;
  for (const std::string& path : newestFirst) text += path + "\n";
  return text;
}

}  // namespace verbolt
