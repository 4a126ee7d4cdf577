// Colour as you type: the colours, the Top-100 and the counts follow every
// edit of the writer's, as a run would give them on the new text.
#include <glib.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "analysis/top_phrases.h"
#include "highlight/editor_text.h"
#include "highlight/plan/colours.h"
#include "highlight/restyle.h"
#include "highlight/word_marking.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/preferences.h"
#include "ui/run_analysis.h"
#include "ui/settings_pane.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

wxDEFINE_EVENT(kEvtColoursDue, wxCommandEvent);

namespace {

const char kPreferenceName[] = "colour-as-you-type.txt";
constexpr LineBounds kPreferenceBounds = {1, 16};

// After the keys' events, which the main loop hands out first, and before
// it lays out and draws the next frame.
constexpr int kColourPriority = G_PRIORITY_HIGH_IDLE + 15;

gboolean coloursDue(gpointer frame) {
  wxCommandEvent due(kEvtColoursDue);
  // Through the window's handlers, so that a failure is reported as any
  // command's is.
  static_cast<FrameMain*>(frame)->GetEventHandler()->SafelyProcessEvent(due);
  return G_SOURCE_REMOVE;
}

}  // namespace

bool FrameMain::StoredColourAsYouType() {
  const std::vector<std::string> lines = readPreferences(kPreferenceName, kPreferenceBounds);
  return !lines.empty() && lines.front() == "on";
}

void FrameMain::OnColourAsYouType(wxCommandEvent&) {
  SetColourAsYouType(!m_colourAsYouType);
  storePreferences(kPreferenceName, m_colourAsYouType ? "on\n" : "off\n");
}

// The button, the menu item and F8 all come here: the state is the
// window's, and both controls are made to show it.
void FrameMain::SetColourAsYouType(bool on) {
  m_colourAsYouType = on;
  // Kept only while it is used: it holds a copy of the text.
  if (!on) m_livePlan.reset();
  m_commandBar->ToggleTool(kIdColourAsYouType, on);
  GetMenuBar()->Check(kIdColourAsYouType, on);
  ColourAfterEdit();
}

void FrameMain::ColourAfterEdit() {
  if (!m_colourAsYouType || m_colourDue) return;
  m_colourDue = true;
  // The keys already waiting all go in first and one update follows them,
  // in time for the frame that shows them: a key's frame shows its colours.
  m_colourSource = g_idle_add_full(kColourPriority, coloursDue, this, nullptr);
}

void FrameMain::OnColoursDue(wxCommandEvent&) {
  m_colourSource = 0;
  ColourAsTyped();
}

void FrameMain::ColourAsTyped() {
  m_colourDue = false;
  if (!m_colourAsYouType) return;
  AnalysisSettings pane = ReadSettingsFromPane();
  pane.ClampToRanges();
  const AnalysisSettings settings = ForTheText(pane);
  if (!m_markedPhrase.empty()) {
    m_markedPhraseRanges = phraseOccurrences(loweredEditorBytes(*m_editor), m_markedPhrase);
  }
  if (!m_livePlan) m_livePlan = std::make_unique<LivePlan>();
  const AnalysisRun run =
      colourAsTyped(*m_livePlan, settings, m_markedWord, m_markedPhraseRanges, *m_editor);
  ShowWordCount(run.words);
  ShowReports(run.report, run.phrases, run.phraseCounts, settings);
}

void FrameMain::ShowReports(const std::string& report, const std::vector<std::string>& phrases,
                            const std::vector<int>& counts, const AnalysisSettings& settings) {
  if (report != m_shownReport) {
    m_top100->Clear();
    m_top100->ChangeValue(fromCp1252(report));
    m_shownReport = report;
    if (!m_markedWord.empty() && m_top100->IsShown()) {
      markTop100(*m_top100, false, m_markedWord, settings);
    }
  }
  if (phrases == m_phrases && counts == m_phraseCounts) return;
  ShowTopPhrases(phrases, counts);
  for (size_t line = 0; line < phrases.size(); ++line) {
    if (phrases[line] == m_markedPhrase) MarkPhraseLine(static_cast<long>(line));
  }
}

void FrameMain::MarkPhraseLine(long line) {
  const long start = m_topPhrases->XYToPosition(0, line);
  wxTextAttr mark;
  mark.SetBackgroundColour(toWxColour(kTop100Mark));
  m_topPhrases->SetStyle(start, start + m_topPhrases->GetLineLength(line), mark);
}

}  // namespace verbolt
