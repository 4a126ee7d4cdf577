// The "Echoes" section of the settings pane: the switches of repeated
// phrases and of sentences opening alike, a phrase's lengths and the
// distance it comes back within. One of the program's preferences, kept in
// its own file and never in config.txt.
#pragma once

#include <vector>

#include "settings/echo_settings.h"

class wxCheckBox;
class wxSizer;
class wxTextCtrl;
class wxWindow;

namespace verbolt {

class EchoesControls {
 public:
  // Adds the controls to `content`, on the section's `panel`, showing the
  // stored preference.
  EchoesControls(wxWindow* panel, wxSizer* content);

  // As the controls show them, within their bounds.
  EchoSettings Read() const;
  // Keeps what the controls show for the next start, when it changed.
  void Store();
  // The phrases' fields count only when their switch is on.
  void ApplyEnablingRules();

  wxCheckBox& PhrasesBox() const { return *m_phrases; }
  wxCheckBox& OpeningsBox() const { return *m_openings; }
  wxTextCtrl& DistanceField() const { return *m_distance; }

 private:
  wxCheckBox* m_phrases;
  wxCheckBox* m_openings;
  wxTextCtrl* m_minWords;
  wxTextCtrl* m_maxWords;
  wxTextCtrl* m_distance;
  std::vector<wxWindow*> m_phraseControls;
  EchoSettings m_stored;
};

}  // namespace verbolt
