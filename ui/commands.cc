// What the writer can ask of the main window.
#include <wx/gauge.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "highlight/editor_text.h"
#include "highlight/restyle.h"
#include "strings/localized_text.h"
#include "text/words.h"
#include "ui/dialogs.h"
#include "ui/frame_about.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/localized.h"
#include "ui/run_analysis.h"
#include "ui/settings_pane.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

// As the close box: unsaved changes are asked about first.
void FrameMain::OnQuit(wxCommandEvent&) { Close(false); }

void FrameMain::OnAbout(wxCommandEvent&) {
  FrameAbout about;
  showModal(about);
}

void FrameMain::OnHelp(wxCommandEvent&) { openInBrowser(localized(kStrHelpAddress)); }

void FrameMain::OnToggleSettings(wxCommandEvent&) {
  m_settingsPane->Show(m_settingsBar->GetToolState(kIdToggleSettings));
  Layout();
}

void FrameMain::OnToggleTop100(wxCommandEvent&) {
  m_top100->Show(m_top100Bar->GetToolState(kIdToggleTop100));
  ShowTopPhrases(m_phrases, m_phraseCounts);
}

void FrameMain::OnProcess(wxCommandEvent&) {
  AnalysisSettings settings = ReadSettingsFromPane();
  settings.ClampToRanges();
  WriteSettingsToPane(settings);
  ForgetFindings();
  const AnalysisRun run =
      runAnalysis(ForTheText(settings, true), *m_gauge, m_markedWord, *m_editor);
  if (run.stopped) {
    SetStatusText(localized(kStrRunStopped), kWhereField);
    return;
  }
  ShowWordCount(run.words);
  // The runs just painted are the editor's colours: no need to read them back.
  m_findings = findingsIn(run.painted, false);
  // An unchanged text would leave the old marks in place: empty it first.
  m_top100->Clear();
  m_top100->ChangeValue(fromCp1252(run.report));
  m_shownReport = run.report;
  // Every background was painted again: no phrase stays marked.
  m_markedPhrase.clear();
  m_markedPhraseRanges.clear();
  ShowTopPhrases(run.phrases, run.phraseCounts);
}

void FrameMain::OnClear(wxCommandEvent&) {
  ForgetFindings();
  m_markedPhrase.clear();
  m_markedPhraseRanges.clear();
  clearHighlights(*m_editor);
}

void FrameMain::OnStats(wxCommandEvent&) {
  TextStatistics stats = editorStatistics(*m_editor);
  ShowWordCount(stats.words);
  wxString message = wxString::Format(localized(kStrStatisticsFormat), stats.words,
                                      stats.lettersWithoutSpaces, stats.lettersWithSpaces);
  showMessageBox(message, localized(kStrTextInformation), wxOK | wxICON_INFORMATION | wxSTAY_ON_TOP,
                 this);
}

}  // namespace verbolt
