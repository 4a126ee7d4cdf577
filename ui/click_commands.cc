#include "ui/click_commands.h"

#include <wx/msgdlg.h>
#include <wx/stattext.h>

#include <filesystem>

#include "analysis/character_names.h"
#include "analysis/equivalence.h"
#include "analysis/top_phrases.h"
#include "highlight/editor_text.h"
#include "highlight/hidden_words.h"
#include "highlight/plan/colours.h"
#include "highlight/restyle.h"
#include "highlight/word_marking.h"
#include "settings/book_ignore.h"
#include "strings/localized_text.h"
#include "ui/dialogs.h"
#include "ui/editor_events.h"
#include "ui/frame_main.h"
#include "ui/localized.h"
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
    ColourAfterEdit();
  } else if (event.AltDown()) {
    // The book's words serve the engine; only the hidden list goes back
    // to the pane.
    AnalysisSettings forText = ForTheText(settings);
    toggleHiddenWord(*m_gauge, *m_editor, word, forText, loweredText);
    settings.m_hiddenList = forText.m_hiddenList;
    WriteSettingsToPane(settings);
    m_settingsPane->ShowHiddenWords();
  } else {
    UnmarkPhrase();
    m_findings = findingsIn(markWord(*m_editor, *m_top100, true, word, ForTheText(settings),
                                     *m_gauge, m_markedWord, loweredText),
                            true);
  }
}

AnalysisSettings FrameMain::ForTheText(const AnalysisSettings& pane, bool tell) {
  AnalysisSettings settings = pane;
  settings.m_echoes = m_settingsPane->Echoes();
  if (m_settingsPane->SkipNames()) {
    for (std::string& name : characterNames(editorBytes(*m_editor))) {
      settings.m_skipWords.push_back(std::move(name));
    }
  }
  // A text with no file has no book.
  if (m_document.path.empty()) return settings;
  const BookIgnore book =
      readBookIgnore(std::filesystem::path(m_document.path).parent_path().string());
  if (tell && !book.problems.empty()) ShowNotice(shownUtf8(book.problems.front()));
  m_settingsPane->ShowBookList(book);
  addBookIgnore(settings, book);
  return settings;
}

void FrameMain::OnUpdateIgnoreInBook(wxUpdateUIEvent& event) {
  event.Enable(!m_document.path.empty());
}

// As CTRL+click does for the skip list, the word counts from the next F5.
void FrameMain::OnIgnoreInBook(WordClickEvent& event) {
  const std::string word = wordAtPosition(loweredEditorBytes(*m_editor), event.Position());
  if (word.empty()) return;
  if (m_document.path.empty()) {
    ShowNotice(localized(kStrNoBookList));
    return;
  }
  const std::string folder = std::filesystem::path(m_document.path).parent_path().string();
  std::string problem;
  if (!addToBookIgnore(folder, word, problem)) {
    showMessageBox(shownUtf8(problem), localized(kStrCannotIgnore), wxOK | wxICON_ERROR, this);
    return;
  }
  m_settingsPane->ShowBookList(readBookIgnore(folder));
  ShowNotice(
      wxString::Format(localized(kStrIgnoredInBook), fromCp1252(word),
                       shownUtf8((std::filesystem::path(folder) / kBookIgnoreName).string())));
}

void FrameMain::OnTop100Click(WordClickEvent& event) {
  const std::string word = wordAtPosition(*m_top100, event.Position());
  if (word.empty()) return;
  ForgetFindings();
  UnmarkPhrase();
  const AnalysisSettings settings = ForTheText(ReadSettingsFromPane());
  m_findings = findingsIn(markWord(*m_editor, *m_top100, false, word, settings, *m_gauge,
                                   m_markedWord, loweredEditorBytes(*m_editor)),
                          true);
}

void FrameMain::ShowTopPhrases(const std::vector<std::string>& phrases,
                               const std::vector<int>& counts) {
  m_phrases = phrases;
  m_phraseCounts = counts;
  wxString lines;
  for (size_t i = 0; i < phrases.size(); ++i) {
    lines += wxString::Format("%3d : ", counts[i]) + fromCp1252(phrases[i]) + "\n";
  }
  m_topPhrases->Clear();
  m_topPhrases->ChangeValue(lines);
  const bool shown = !phrases.empty() && m_top100->IsShown();
  m_topPhrasesTitle->Show(shown);
  m_topPhrases->Show(shown);
  Layout();
}

void FrameMain::UnmarkPhrase() {
  if (m_markedPhrase.empty()) return;
  const AnalysisSettings settings = ReadSettingsFromPane();
  recolourRanges(*m_editor, loweredEditorBytes(*m_editor), m_markedPhraseRanges, settings, true);
  m_markedPhrase.clear();
  m_markedPhraseRanges.clear();
  clearPaneMarks(*m_topPhrases);
}

// A phrase of the list turns red wherever it comes, as a clicked word
// does, and F3 walks its occurrences.
void FrameMain::OnTopPhraseClick(WordClickEvent& event) {
  const long line = m_topPhrases->GetValue().Left(event.Position()).Freq('\n');
  if (line < 0 || static_cast<size_t>(line) >= m_phrases.size()) return;
  const std::string phrase = m_phrases[static_cast<size_t>(line)];
  ForgetFindings();
  const AnalysisSettings settings = ForTheText(ReadSettingsFromPane());
  const std::string lowered = loweredEditorBytes(*m_editor);
  unmarkWord(*m_editor, *m_top100, settings, *m_gauge, m_markedWord, lowered);
  UnmarkPhrase();
  m_markedPhraseRanges = phraseOccurrences(lowered, phrase);
  recolourRanges(*m_editor, lowered, m_markedPhraseRanges, settings, false);
  m_markedPhrase = phrase;
  MarkPhraseLine(line);
  std::vector<Finding> findings;
  for (const auto& [begin, end] : m_markedPhraseRanges) {
    findings.push_back({static_cast<int>(begin), static_cast<int>(end), FindingKind::kMarked});
  }
  m_findings = std::move(findings);
}

}  // namespace verbolt
