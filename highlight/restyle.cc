#include "highlight/restyle.h"

#include <wx/gauge.h>
#include <wx/log.h>
#include <wx/textctrl.h>
#include <wx/window.h>

#include <algorithm>
#include <vector>

#include "analysis/progress.h"
#include "highlight/background_map.h"
#include "highlight/background_tags.h"
#include "highlight/editor_text.h"
#include "highlight/plan/paint_plan.h"
#include "highlight/progress_gauge.h"
#include "text/words.h"

namespace verbolt {

namespace {

// Scopes are never nested, so one saved position serves them all.
int savedScrollPosition = 0;

}  // namespace

wxColour toWxColour(Rgb colour) { return wxColour(colour.red, colour.green, colour.blue); }

Rgb toRgb(const wxColour& colour) { return {colour.Red(), colour.Green(), colour.Blue()}; }

RestyleScope::RestyleScope(wxTextCtrl& control)
    : m_control(control), m_hadFocus(wxWindow::FindFocus() == &control) {
  savedScrollPosition = m_control.GetScrollPos(wxVERTICAL);
  m_control.GetSelection(&m_selectionFrom, &m_selectionTo);
  m_caret = m_control.GetInsertionPoint();
}

RestyleScope::~RestyleScope() {
  if (m_hadFocus && wxWindow::FindFocus() != &m_control) m_control.SetFocus();
  long from = 0;
  long to = 0;
  m_control.GetSelection(&from, &to);
  if (from != m_selectionFrom || to != m_selectionTo || m_control.GetInsertionPoint() != m_caret) {
    // A selection made backwards keeps its caret at its start.
    if (m_caret == m_selectionFrom && m_selectionFrom != m_selectionTo) {
      m_control.SetSelection(m_selectionTo, m_selectionFrom);
    } else {
      m_control.SetSelection(m_selectionFrom, m_selectionTo);
    }
  }
  // Last, as giving the focus back may have scrolled to the caret.
  m_control.SetScrollPos(wxVERTICAL, savedScrollPosition, true);
}

std::vector<ColourRun> applyHighlights(wxTextCtrl& editor, const std::string& loweredText,
                                       const AnalysisResult& result,
                                       const AnalysisSettings& settings, wxGauge& gauge) {
  RestyleScope scope(editor);
  removeBackgrounds(editor);
  std::vector<ColourRun> runs = planHighlights(loweredText, result, settings,
                                               [&gauge](int value) { showProgress(gauge, value); });
  paintOnBareText(editor, runs);
  return runs;
}

void paintPlanned(wxTextCtrl& editor, const std::vector<ColourRun>& runs) {
  RestyleScope scope(editor);
  removeBackgrounds(editor);
  paintOnBareText(editor, runs);
}

void applyHiddenWords(const std::string& loweredText, wxGauge& gauge, wxTextCtrl& editor,
                      const AnalysisSettings& settings) {
  wxLogDebug("Process hidden with list '%s' ...",
             fromCp1252(AnalysisSettings::JoinList(settings.m_hiddenList, " ")));
  // Every word is read before any is restyled, so the changes can be made
  // back to front, the order GTK restyles fastest.
  std::vector<ColourRun> changes;
  const BackgroundMap backgrounds(editor);
  hiddenWordsPass(
      loweredText, settings,
      [&backgrounds](size_t start, size_t end) {
        return backgrounds.wordColour(static_cast<long>(start), static_cast<long>(end));
      },
      [&changes](size_t start, size_t end, Rgb next) {
        changes.push_back({static_cast<int>(start), static_cast<int>(end), next});
      },
      [&gauge](int value) { showProgress(gauge, value); });
  repaintRuns(editor, changes);
}

void clearHighlights(wxTextCtrl& editor) {
  RestyleScope scope(editor);
  removeBackgrounds(editor);
}

}  // namespace verbolt
