#include "settings/recent_file_list.h"

namespace verbolt {

std::vector<std::string> parseRecentFiles(std::string_view text) {
  std::vector<std::string> paths;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (!line.empty()) paths.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return paths;
}

std::string recentFilesText(const std::vector<std::string>& newestFirst) {
  std::string text;
  for (const std::string& path : newestFirst) text += path + "\n";
  return text;
}

}  // namespace verbolt
