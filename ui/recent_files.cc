#include "ui/recent_files.h"

#include <string>
#include <vector>

#include "highlight/editor_text.h"
#include "settings/recent_file_list.h"
#include "ui/preferences.h"

namespace verbolt {

RecentFiles::RecentFiles(wxMenu* menu) {
  m_history.UseMenu(menu);
  const std::vector<std::string> paths = readRecentFiles(preferencesPath(kRecentFilesName));
  // The history takes the oldest first.
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
    m_history.AddFileToHistory(fileNameOf(*it));
  }
}

void RecentFiles::Add(const wxString& path) {
  m_history.AddFileToHistory(path);
  Store();
}

void RecentFiles::Remove(size_t index) {
  m_history.RemoveFileFromHistory(index);
  Store();
}

void RecentFiles::Store() const {
  std::vector<std::string> paths;
  for (size_t i = 0; i < m_history.GetCount(); ++i) {
    paths.push_back(fileNameBytes(m_history.GetHistoryFile(i)));
  }
  storePreferences(kRecentFilesName, recentFilesText(paths));
}

}  // namespace verbolt
