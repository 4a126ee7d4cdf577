// The legend of the top row: four switches, each on the colour its words
// take, which turn the colouring sections of the settings pane on and off,
// and two for the echoes, which mirror the switches of the pane's Echoes
// section. The pane reads them with its own controls and hears their
// clicks.
#pragma once

#include <wx/panel.h>

#include <utility>
#include <vector>

#include "highlight/plan/palette.h"
#include "settings/analysis_settings.h"

class wxCheckBox;

namespace verbolt {

class Legend : public wxPanel {
 public:
  Legend(wxWindow* parent, const wxColour& background);

  struct Switch {
    int id;  // that of the section it turns on, and of its title
    int AnalysisSettings::*field;
    wxCheckBox* box;
  };
  const std::vector<Switch>& Switches() const { return m_switches; }
  wxCheckBox& EchoPhrasesBox() const { return *m_echoPhrases; }
  wxCheckBox& EchoOpeningsBox() const { return *m_echoOpenings; }

  // Each switch on its colour in `palette`, its label in the palette's text
  // colour.
  void ShowPalette(const Palette& palette);

  // The switches' clicks go on to `handler`, which enables the sections.
  void SendClicksTo(wxEvtHandler* handler) { m_clicksHandler = handler; }

 private:
  void OnSwitch(wxCommandEvent& event);

  std::vector<Switch> m_switches;
  // The panel behind each switch, with the class it stands for.
  std::vector<std::pair<wxWindow*, HighlightClass>> m_swatches;
  wxCheckBox* m_echoPhrases = nullptr;
  wxCheckBox* m_echoOpenings = nullptr;
  wxEvtHandler* m_clicksHandler = nullptr;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace verbolt
