#include "highlight/hidden_words.h"

#include <wx/gauge.h>
#include <wx/textctrl.h>

#include "analysis/equivalence.h"
#include "highlight/progress_gauge.h"
#include "highlight/restyle.h"

namespace verbolt {

void toggleHiddenWord(wxGauge& gauge, wxTextCtrl& editor, const std::string& word,
                      AnalysisSettings& settings, const std::string& loweredText) {
  WordList& hidden = settings.m_hiddenList;
  const int found = findWordInList(word, hidden, settings);
  if (found < 0) {
    hidden.push_back(word);
  } else {
    hidden.erase(hidden.begin() + found);
  }
  {
    RestyleScope scope(editor);
    applyHiddenWords(loweredText, gauge, editor, settings);
  }
  showProgress(gauge, 0);
}

}  // namespace verbolt
