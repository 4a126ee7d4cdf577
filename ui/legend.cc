#include "ui/legend.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>

#include "highlight/restyle.h"
#include "ui/ids.h"
#include "ui/localized.h"

namespace verbolt {

namespace {

// The colour of its section lies behind the box and its label, on a panel
// of its own: given to the box itself, GTK would fill the tick's square with
// it, and a white tick on a pale colour reads as no tick at all.
wxCheckBox* legendSwitch(wxWindow* parent, wxSizer* column, int id, Rgb colour, StringId label) {
  auto* panel = new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxNO_BORDER);
  panel->SetBackgroundColour(toWxColour(colour));
  auto* box = new wxCheckBox(panel, id, localized(label), wxDefaultPosition, wxDefaultSize, 0,
                             wxDefaultValidator, "check");
  box->SetValue(true);
  auto* sizer = new wxBoxSizer(wxHORIZONTAL);
  sizer->Add(box, 1, wxALIGN_CENTER_VERTICAL);
  panel->SetSizer(sizer);
  column->Add(panel, 1, wxEXPAND);
  return box;
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(Legend, wxPanel)
  EVT_CHECKBOX(wxID_ANY, Legend::OnSwitch)
wxEND_EVENT_TABLE()
// clang-format on

Legend::Legend(wxWindow* parent, const wxColour& background)
    : wxPanel(parent, kIdLegend, wxDefaultPosition, wxDefaultSize, wxNO_BORDER) {
  SetBackgroundColour(background);
  struct Place {
    int id;
    int AnalysisSettings::*field;
    HighlightClass colour;
  };
  const Place columns[2][2] = {
      {{kSwitchClose, &AnalysisSettings::m_closeActive, HighlightClass::kClose},
       {kSwitchDistant, &AnalysisSettings::m_distantActive, HighlightClass::kDistant}},
      {{kSwitchWords, &AnalysisSettings::m_wordsActive, HighlightClass::kSearched},
       {kSwitchPhrases, &AnalysisSettings::m_phrasesActive, HighlightClass::kPhrase}},
  };
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  for (const auto& column : columns) {
    auto* boxes = new wxBoxSizer(wxVERTICAL);
    for (const Place& place : column) {
      wxCheckBox* box =
          legendSwitch(this, boxes, place.id, classColour(place.colour), StringId(place.id));
      m_switches.push_back({place.id, place.field, box});
      m_swatches.emplace_back(box->GetParent(), place.colour);
    }
    row->Add(boxes, 0, wxEXPAND);
  }
  auto* echoes = new wxBoxSizer(wxVERTICAL);
  m_echoPhrases = legendSwitch(this, echoes, kIdLegendEchoPhrases,
                               classColour(HighlightClass::kEcho), kStrLegendEchoes);
  m_echoOpenings = legendSwitch(this, echoes, kIdLegendEchoOpenings,
                                classColour(HighlightClass::kOpening), kStrLegendOpenings);
  m_swatches.emplace_back(m_echoPhrases->GetParent(), HighlightClass::kEcho);
  m_swatches.emplace_back(m_echoOpenings->GetParent(), HighlightClass::kOpening);
  // Off until the pane shows the stored preference.
  m_echoPhrases->SetValue(false);
  m_echoOpenings->SetValue(false);
  row->Add(echoes, 0, wxEXPAND);
  SetSizerAndFit(row);
}

void Legend::ShowPalette(const Palette& palette) {
  for (const auto& [swatch, colour] : m_swatches) {
    swatch->SetBackgroundColour(toWxColour(palette.classColour(colour)));
    for (wxWindow* box : swatch->GetChildren()) box->SetForegroundColour(toWxColour(palette.text));
    swatch->Refresh();
  }
}

void Legend::OnSwitch(wxCommandEvent& event) {
  if (m_clicksHandler) {
    m_clicksHandler->ProcessEvent(event);
  } else {
    event.Skip();
  }
}

}  // namespace verbolt
