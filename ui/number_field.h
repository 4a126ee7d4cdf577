// A one-line entry for a number of at most N typed characters. The limit
// holds for typing only: a longer value written by the program (1000 loaded
// into a two-character field) is shown and read back whole, which the
// toolkit's own length limit would truncate.
#pragma once

#include <wx/textctrl.h>

namespace verbolt {

class NumberField : public wxTextCtrl {
 public:
  NumberField(wxWindow* parent, int maxTypedChars);

 private:
  void OnChar(wxKeyEvent& event);

  int m_maxTypedChars;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace verbolt
