// Restyling the editor: the colour probe, the quiet restyle scope, and the
// passes that paint an analysis result, grey hidden words and clear.
#pragma once

#include <wx/colour.h>

#include <string>

#include "analysis/analysis_pass.h"
#include "highlight/plan/colours.h"
#include "highlight/plan/paint_plan.h"
#include "settings/analysis_settings.h"

class wxGauge;
class wxTextCtrl;

namespace verbolt {

wxColour toWxColour(Rgb colour);
Rgb toRgb(const wxColour& colour);

// Puts back, once the control is restyled, what the writer had: its
// vertical scroll position, its selection and caret, and the keyboard
// focus. The control stays on the screen meanwhile: hiding it made no
// restyle faster and blanked the text for as long as a long one took.
class RestyleScope {
 public:
  explicit RestyleScope(wxTextCtrl& control);
  ~RestyleScope();
  RestyleScope(const RestyleScope&) = delete;
  RestyleScope& operator=(const RestyleScope&) = delete;

 private:
  wxTextCtrl& m_control;
  bool m_hadFocus;
  long m_selectionFrom = 0;
  long m_selectionTo = 0;
  long m_caret = 0;
};

// Paints an analysis result over the whole editor, hidden words greyed,
// inside its own RestyleScope; the gauge goes from 50 to 100. Returns the
// runs painted.
std::vector<ColourRun> applyHighlights(wxTextCtrl& editor, const std::string& loweredText,
                                       const AnalysisResult& result,
                                       const AnalysisSettings& settings, wxGauge& gauge);

// Replaces every colour of the editor with `runs` (planHighlights'),
// inside its own RestyleScope.
void paintPlanned(wxTextCtrl& editor, const std::vector<ColourRun>& runs);

// Greys the hidden words and gives their class colour back to the words
// that left the hidden list; runs inside the caller's RestyleScope.
void applyHiddenWords(const std::string& loweredText, wxGauge& gauge, wxTextCtrl& editor,
                      const AnalysisSettings& settings);

// Whitens the whole editor inside a RestyleScope.
void clearHighlights(wxTextCtrl& editor);

}  // namespace verbolt
