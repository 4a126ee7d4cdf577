#include "ui/frame_main.h"

#include <glib.h>
#include <wx/gauge.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "analysis/top100_report.h"
#include "highlight/editor_history.h"
#include "highlight/restyle.h"
#include "resources/icons.h"
#include "strings/localized_text.h"
#include "ui/command_table.h"
#include "ui/config_file.h"
#include "ui/editor_events.h"
#include "ui/gtk_style.h"
#include "ui/ids.h"
#include "ui/legend.h"
#include "ui/localized.h"
#include "ui/manuscript_drop.h"
#include "ui/overview_strip.h"
#include "ui/recent_files.h"
#include "ui/settings_pane.h"
#include "ui/spread_chart.h"
#include "ui/text_ctrl_custom.h"
#include "ui/text_recovery.h"

namespace verbolt {

namespace {

wxToolBar* newBar(wxWindow* parent, int id, wxSize bitmapSize) {
  auto* bar = new wxToolBar(parent, id, wxDefaultPosition, wxDefaultSize,
                            wxTB_HORIZONTAL | wxTB_TEXT | wxTB_NODIVIDER);
  bar->SetBackgroundColour(toWxColour(kWindowBackground));
  setToolBarBackground(*bar, kWindowBackground);
  if (bitmapSize != wxDefaultSize) bar->SetToolBitmapSize(bitmapSize);
  return bar;
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(FrameMain, wxFrame)
  EVT_MENU(kIdQuit, FrameMain::OnQuit)
  EVT_MENU(kIdAbout, FrameMain::OnAbout)
  EVT_MENU(kIdHelp, FrameMain::OnHelp)
  EVT_MENU(kIdToggleSettings, FrameMain::OnToggleSettings)
  EVT_MENU(kIdProcess, FrameMain::OnProcess)
  EVT_MENU(kIdColourAsYouType, FrameMain::OnColourAsYouType)
  EVT_COMMAND(wxID_ANY, kEvtColoursDue, FrameMain::OnColoursDue)
  EVT_MENU(kIdClear, FrameMain::OnClear)
  EVT_MENU(kIdStats, FrameMain::OnStats)
  EVT_MENU(kIdToggleTop100, FrameMain::OnToggleTop100)
  EVT_MENU(kIdOpen, FrameMain::OnOpen)
  EVT_MENU(kIdSave, FrameMain::OnSave)
  EVT_MENU(kIdSaveAs, FrameMain::OnSaveAs)
  EVT_MENU(kIdExportHtml, FrameMain::OnExport)
  EVT_MENU(kIdExportOdt, FrameMain::OnExport)
  EVT_MENU(kIdExportDocx, FrameMain::OnExport)
  EVT_MENU(kIdExportCsv, FrameMain::OnExport)
  EVT_MENU_RANGE(wxID_FILE1, wxID_FILE9, FrameMain::OnRecentFile)
  EVT_MENU(kIdDiscardRecovered, FrameMain::OnDiscardRecovered)
  EVT_UPDATE_UI(kIdDiscardRecovered, FrameMain::OnUpdateDiscardRecovered)
  EVT_MENU(kIdUndo, FrameMain::OnUndo)
  EVT_MENU(kIdRedo, FrameMain::OnRedo)
  EVT_UPDATE_UI(kIdUndo, FrameMain::OnUpdateUndo)
  EVT_UPDATE_UI(kIdRedo, FrameMain::OnUpdateRedo)
  EVT_MENU(kIdCut, FrameMain::OnClipboardCommand)
  EVT_MENU(kIdCopy, FrameMain::OnClipboardCommand)
  EVT_MENU(kIdPaste, FrameMain::OnClipboardCommand)
  EVT_MENU(kIdSelectAll, FrameMain::OnClipboardCommand)
  EVT_MENU(kIdOverviewStrip, FrameMain::OnToggleOverview)
  EVT_MENU_RANGE(kIdPaletteStandard, kIdPaletteDark, FrameMain::OnChoosePalette)
  EVT_MENU(kIdNextFinding, FrameMain::OnWalkFindings)
  EVT_MENU(kIdPreviousFinding, FrameMain::OnWalkFindings)
  EVT_TEXT(kIdEditor, FrameMain::OnEditorChanged)
  EVT_HISTORY_MOVED(kIdEditor, FrameMain::OnEditorHistoryMoved)
  EVT_WORD_CLICK(kIdEditor, FrameMain::OnEditorClick)
  EVT_WORD_CLICK(kIdTop100, FrameMain::OnTop100Click)
  EVT_WORD_CLICK(kIdTopPhrases, FrameMain::OnTopPhraseClick)
  EVT_IGNORE_IN_BOOK(kIdEditor, FrameMain::OnIgnoreInBook)
  EVT_UPDATE_UI(kStrIgnoreInBook, FrameMain::OnUpdateIgnoreInBook)
  EVT_CLOSE(FrameMain::OnCloseWindow)
wxEND_EVENT_TABLE()
// clang-format on

FrameMain::FrameMain(const wxString& title, const wxPoint& position, const wxSize& size)
    : wxFrame(nullptr, wxID_ANY, title, position, size, wxDEFAULT_FRAME_STYLE, "frame") {
  SetIcons(appIcons());
  SetMinSize(wxSize(900, 500));
  wxMenu* recentFilesMenu = nullptr;
  SetMenuBar(buildMenuBar(&recentFilesMenu));
  m_recentFiles = std::make_unique<RecentFiles>(recentFilesMenu);
  SetBackgroundColour(toWxColour(kWindowBackground));

  Legend* legend = nullptr;
  wxSizer* topRow = BuildTopRow(legend);
  m_legend = legend;
  // Made after the legend, whose switches turn its sections on, the pane
  // also comes after it on the way of the Tab key.
  m_settingsPane = new SettingsPane(this, *legend);
  auto* middle = new wxBoxSizer(wxHORIZONTAL);
  middle->Add(m_settingsPane, 0, wxEXPAND);
  m_editor =
      new TextCtrlCustom(true, this, kIdEditor, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                         wxTE_MULTILINE | wxTE_RICH | wxTE_RICH2, wxDefaultValidator, "text");
  // A multi-line control on GTK has no length limit to lift.
  m_editor->AppendText(localized(kStrWelcome));
  // Appending leaves the caret, and the view, at the end of the text.
  m_editor->SetInsertionPoint(0);
  middle->Add(m_editor, 1, wxEXPAND);
  // Where the colours of the whole text cluster, the part on screen framed.
  m_overview = new OverviewStrip(this, *m_editor);
  middle->Add(m_overview, 0, wxEXPAND);
  // A report: selectable and clickable, never typed into.
  m_top100 =
      new TextCtrlCustom(false, this, kIdTop100, wxEmptyString, wxDefaultPosition, wxSize(150, -1),
                         wxTE_MULTILINE | wxTE_RICH | wxTE_RICH2 | wxTE_READONLY | wxNO_BORDER,
                         wxDefaultValidator, "text");
  m_top100->SetBackgroundColour(toWxColour(kTop100Background));
  // The counts are right-aligned with spaces: only a fixed-width font lines
  // them up.
  m_top100->SetFont(wxFont(wxFontInfo(GetFont().GetPointSize()).Family(wxFONTFAMILY_TELETYPE)));
  // A similar word too long for the pane stays under the words of its
  // family, never at the margin where a counted word would start.
  hangWrappedLines(*m_top100, m_top100->GetTextExtent(wxString(' ', kFamilyIndent)).x);
  // The phrases repeated most, under the words, while phrase echoes are on.
  auto* reports = new wxBoxSizer(wxVERTICAL);
  reports->Add(m_top100, 3, wxEXPAND);
  // Where the marked word falls through the text.
  m_spread = new SpreadChart(this);
  reports->Add(m_spread, 0, wxEXPAND);
  m_overview->OnRunsChanged([this](const std::vector<ColourRun>& runs) {
    m_spread->ShowMarked(m_markedWord.empty() ? m_markedPhrase : m_markedWord, runs,
                         m_editor->GetLastPosition());
  });
  m_topPhrasesTitle = new wxStaticText(this, wxID_ANY, localized(kStrTopPhrases));
  m_topPhrasesTitle->SetFont(m_topPhrasesTitle->GetFont().Bold());
  reports->Add(m_topPhrasesTitle, 0, wxTOP | wxLEFT, 3);
  m_topPhrases = new TextCtrlCustom(
      false, this, kIdTopPhrases, wxEmptyString, wxDefaultPosition, wxSize(150, -1),
      wxTE_MULTILINE | wxTE_RICH | wxTE_RICH2 | wxTE_READONLY | wxNO_BORDER, wxDefaultValidator,
      "text");
  m_topPhrases->SetBackgroundColour(toWxColour(kTop100Background));
  m_topPhrases->SetFont(m_top100->GetFont());
  // A long phrase goes on under its words, clear of the counts.
  hangWrappedLines(*m_topPhrases, m_topPhrases->GetTextExtent(wxString(' ', 6)).x);
  reports->Add(m_topPhrases, 1, wxEXPAND);
  m_topPhrasesTitle->Hide();
  m_topPhrases->Hide();
  middle->Add(reports, 0, wxEXPAND);

  m_gauge =
      new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, wxSize(100, 16),
                  static_cast<long>(wxGA_HORIZONTAL) | wxNO_BORDER, wxDefaultValidator, "gauge");
  fillGaugeHeight(*m_gauge);

  auto* frameSizer = new wxBoxSizer(wxVERTICAL);
  frameSizer->Add(topRow, 0, wxEXPAND);
  frameSizer->Add(3, 3);
  frameSizer->Add(middle, 1, wxEXPAND);
  frameSizer->Add(m_gauge, 0, wxEXPAND);
  SetSizer(frameSizer);
  // Where the walk through the findings stands, and the number of words.
  CreateStatusBar(2);
  const int statusWidths[] = {-1, 160};
  SetStatusWidths(2, statusWidths);

  m_recovery = std::make_unique<TextRecovery>(*m_editor);
  m_recovery->OnFailure([this](const std::string& problem) {
    SetStatusText(wxString::Format(localized(kStrRecoveryFailed), wxString::FromUTF8(problem)),
                  kWhereField);
  });

  AddViewMenu();
  WriteSettingsToPane(loadConfigFile());
  SetDropTarget(new ManuscriptDropTarget(*this));
  m_editor->SetDropTarget(new ManuscriptDropTarget(*this));
  // The welcome text is no change of the writer's.
  m_document.modified = false;
  m_editor->History()->MarkClean();
  UpdateTitle();
  // The menu shows most keys; the table makes them work whatever has the
  // keyboard, the editor included.
  SetAcceleratorTable(buildAcceleratorTable());
  // While the colours follow the typing, they follow the settings too.
  auto follow = [this](wxCommandEvent& event) {
    event.Skip();
    ColourAfterEdit();
  };
  for (wxEvtHandler* source :
       {static_cast<wxEvtHandler*>(m_settingsPane), static_cast<wxEvtHandler*>(legend)}) {
    source->Bind(wxEVT_CHECKBOX, follow);
    source->Bind(wxEVT_TEXT, follow);
    source->Bind(wxEVT_CHOICE, follow);
    source->Bind(wxEVT_RADIOBUTTON, follow);
  }
  if (StoredColourAsYouType()) SetColourAsYouType(true);
  Layout();
  // The sections' final sizes are known only now: let the pane scroll over all of them.
  m_settingsPane->FitInside();
  Centre(wxBOTH);
  // The writer's first key goes into the text, not to the first switch of
  // the toolbar; the window gives the keyboard back to it after every
  // message box.
  m_editor->SetFocus();
}

FrameMain::~FrameMain() {
  if (m_colourSource) g_source_remove(m_colourSource);
  SaveSettings();
}

wxSizer* FrameMain::BuildTopRow(Legend*& legend) {
  m_settingsBar = newBar(this, kIdSettingsBar, wxSize(215, 16));
  addTools(*m_settingsBar, BarName::kSettingsBar);
  m_settingsBar->AddSeparator();
  m_settingsBar->Realize();

  legend = new Legend(this, m_settingsBar->GetBackgroundColour());

  wxToolBar* commands = newBar(this, kIdCommandBar, wxDefaultSize);
  commands->AddSeparator();
  addTools(*commands, BarName::kCommandBar);
  commands->ToggleTool(kIdColourAsYouType, false);
  commands->Realize();
  m_commandBar = commands;

  m_top100Bar = newBar(this, kIdTop100Bar, wxSize(143, 16));
  addTools(*m_top100Bar, BarName::kTop100Bar);
  m_top100Bar->Realize();

  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(m_settingsBar, 0);
  row->Add(legend, 0);
  row->Add(commands, 1);
  row->Add(m_top100Bar, 0);
  return row;
}

AnalysisSettings FrameMain::ReadSettingsFromPane() const { return m_settingsPane->Read(); }

void FrameMain::WriteSettingsToPane(const AnalysisSettings& settings) {
  m_settingsPane->Write(settings);
}

void FrameMain::SaveSettings() const { saveConfigFile(ReadSettingsFromPane()); }

}  // namespace verbolt
