#include "ui/preferences.h"

#include <wx/filename.h>

#include <cstdlib>

#include "manuscript/atomic_write.h"
#include "settings/config_home.h"

namespace verbolt {

std::string preferencesPath(const char* name) {
  const std::string folder = configHomeFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  return folder.empty() ? std::string() : folder + "/" + name;
}

void storePreferences(const char* name, const std::string& content) {
  const std::string path = preferencesPath(name);
  if (path.empty()) return;
  wxFileName::Mkdir(wxFileName(wxString::FromUTF8(path)).GetPath(), 0700, wxPATH_MKDIR_FULL);
  std::string error;
  writeFileAtomically(path, content, error);
}

}  // namespace verbolt
