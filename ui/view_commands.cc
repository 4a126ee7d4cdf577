// The View menu: the overview strip shown or not, and the palette of the
// highlights, both kept in the program's preferences.
#include <wx/menu.h>
#include <wx/textctrl.h>

#include "highlight/background_map.h"
#include "highlight/restyle.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/legend.h"
#include "ui/localized.h"
#include "ui/overview_strip.h"
#include "ui/settings_pane.h"
#include "ui/text_ctrl_custom.h"
#include "ui/view_choices.h"

namespace verbolt {

namespace {

int paletteItem(PaletteName name) { return kIdPaletteStandard + static_cast<int>(name); }

}  // namespace

void FrameMain::AddViewMenu() {
  auto* view = new wxMenu;
  view->AppendCheckItem(kIdOverviewStrip, localized(kStrOverviewStrip));
  view->AppendSeparator();
  view->AppendRadioItem(kIdPaletteStandard, localized(kStrPaletteStandard));
  view->AppendRadioItem(kIdPaletteColourBlind, localized(kStrPaletteColourBlind));
  view->AppendRadioItem(kIdPaletteDark, localized(kStrPaletteDark));
  wxMenuBar* bar = GetMenuBar();
  // After the Edit menu, before Help.
  bar->Insert(bar->GetMenuCount() - 1, view, localized(kStrViewMenu));

  const ViewChoices choices = storedViewChoices();
  view->Check(kIdOverviewStrip, choices.overviewStrip);
  m_overview->SetWanted(choices.overviewStrip);
  view->Check(paletteItem(choices.palette), true);
  ShowPalette(choices.palette);
}

void FrameMain::OnToggleOverview(wxCommandEvent& event) {
  m_overview->SetWanted(event.IsChecked());
  StoreViewChoices();
}

void FrameMain::OnChoosePalette(wxCommandEvent& event) {
  ShowPalette(static_cast<PaletteName>(event.GetId() - kIdPaletteStandard));
  StoreViewChoices();
}

// Every word keeps its state: its colour in the old palette becomes the
// colour of the same state in the new one.
void FrameMain::ShowPalette(PaletteName name) {
  const Palette& from = activePalette();
  const Palette& to = paletteNamed(name);
  setActivePalette(name);
  m_editor->SetForegroundColour(toWxColour(to.text));
  m_editor->SetBackgroundColour(toWxColour(to.page));
  // The control makes the two colours its style for new text too, and would
  // then tag every character typed with them: the text already shows them,
  // and a tag at each key would make the colours kept for the text unknown.
  m_editor->SetDefaultStyle(wxTextAttr());
  m_legend->ShowPalette(to);
  m_settingsPane->ShowPalette(to);
  if (&from == &to) return;
  std::vector<ColourRun> runs = BackgroundMap(*m_editor).runs();
  if (runs.empty()) return;
  for (ColourRun& run : runs) run.colour = inPalette(run.colour, from, to);
  ForgetFindings();
  paintPlanned(*m_editor, runs);
  m_overview->UpdateMarks();
}

void FrameMain::StoreViewChoices() const {
  ViewChoices choices;
  choices.overviewStrip = m_overview->IsWanted();
  choices.palette = activePaletteName();
  storeViewChoices(choices);
}

}  // namespace verbolt
