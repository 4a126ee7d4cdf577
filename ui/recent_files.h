// The File menu's recent files: the nine manuscripts opened or saved last,
// newest first, kept in recent-files.txt of the settings folder so that the
// next start lists them too. Every change is stored at once.
#pragma once

#include <wx/filehistory.h>

#include <cstddef>

class wxMenu;

namespace verbolt {

class RecentFiles {
 public:
  // Lists the stored files in `menu`, whose items carry wxID_FILE1 on.
  explicit RecentFiles(wxMenu* menu);
  RecentFiles(const RecentFiles&) = delete;
  RecentFiles& operator=(const RecentFiles&) = delete;

  // Puts `path` at the top, once.
  void Add(const wxString& path);
  void Remove(size_t index);

  size_t Count() const { return m_history.GetCount(); }
  wxString Path(size_t index) const { return m_history.GetHistoryFile(index); }
  // The index of the file a menu item opens.
  static size_t IndexOf(int menuId) { return static_cast<size_t>(menuId - wxID_FILE1); }

 private:
  void Store() const;

  wxFileHistory m_history{9};
};

}  // namespace verbolt
