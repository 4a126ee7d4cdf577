#include "ui/click_commands.h"

#include "analysis/equivalence.h"
#include "highlight/editor_text.h"
#include "highlight/hidden_words.h"
#include "highlight/word_marking.h"
#include "ui/editor_events.h"
#include "ui/frame_main.h"
#include "ui/settings_pane.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

void addSkipWord(const std::string& word, AnalysisSettings& settings) {
  if (findWordInList(word, settings.m_skipWords, settings) < 0) {
    settings.m_skipWords.push_back(word);
  }
}

// Plain click: mark. CTRL (whatever ALT is): add to the words to skip.
// ALT: hide or show again. The numbers are used as typed, not clamped.
void FrameMain::OnEditorClick(WordClickEvent& event) {
  const long pos = event.Position();
  const std::string loweredText = loweredEditorBytes(*m_editor);
  const std::string word = wordAtPosition(loweredText, pos);
  if (word.empty()) return;
  ForgetFindings();
  AnalysisSettings settings = ReadSettingsFromPane();
  if (event.ControlDown()) {
    addSkipWord(word, settings);
    WriteSettingsToPane(settings);
    m_settingsPane->ShowSkipWords();
  } else if (event.AltDown()) {
    toggleHiddenWord(*m_gauge, *m_editor, word, settings, loweredText);
    WriteSettingsToPane(settings);
    m_settingsPane->ShowHiddenWords();
  } else {
    m_findings = findingsIn(
        markWord(*m_editor, *m_top100, true, word, settings, *m_gauge, m_markedWord, loweredText),
        true);
  }
}

void FrameMain::OnTop100Click(WordClickEvent& event) {
  const std::string word = wordAtPosition(*m_top100, event.Position());
  if (word.empty()) return;
  ForgetFindings();
  AnalysisSettings settings = ReadSettingsFromPane();
  m_findings = findingsIn(markWord(*m_editor, *m_top100, false, word, settings, *m_gauge,
                                   m_markedWord, loweredEditorBytes(*m_editor)),
                          true);
}

}  // namespace verbolt
