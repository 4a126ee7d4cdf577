#include "ui/preferences.h"

#include <wx/filename.h>

#include <cstdio>
#include <cstdlib>

#include "settings/config_home.h"

namespace verbolt {

std::string preferencesPath(const char* name) {
  const std::string folder = configHomeFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  return folder.empty() ? std::string() : folder + "/" + name;
}

std::vector<std::string> readPreferences(const char* name, LineBounds bounds) {
  const std::string path = preferencesPath(name);
  return path.empty() ? std::vector<std::string>() : readPreferenceLines(path, bounds);
}

void storePreferences(const char* name, const std::string& content) {
  const std::string path = preferencesPath(name);
  if (path.empty()) return;
  wxFileName::Mkdir(wxFileName(wxString::FromUTF8(path)).GetPath(), 0700, wxPATH_MKDIR_FULL);
  const PreferenceStore store = storePreferenceFile(path, content);
  if (store.backup.outcome == Backup::Outcome::kKept) {
    std::fprintf(stderr, "verbolt: %s could not be read; it is kept as %s\n", path.c_str(),
                 store.backup.name.c_str());
  }
}

}  // namespace verbolt
