// The kind of similar words, in the "Similar words" section: the same
// beginning (the rule of the numbers above it), or the same dictionary form
// in French or English. A choice whose dictionary is not installed is
// greyed, and a line says which package brings it. The choice is kept in
// the program's own preferences file, never in config.txt.
#pragma once

#include <wx/panel.h>

#include <memory>
#include <string>
#include <vector>

#include "lemma/family_kind.h"
#include "settings/lemma_source.h"
#include "strings/string_id.h"

class wxChoice;
class wxRadioButton;
class wxStaticText;

namespace verbolt {

class FamiliesChoice : public wxPanel {
 public:
  explicit FamiliesChoice(wxWindow* parent);

  FamilyKind Kind() const { return m_kind; }
  // Chooses `kind` as the writer would; a kind whose dictionary is missing
  // leaves the same beginning chosen. Keeps the choice.
  void Choose(FamilyKind kind);

  // The lemmas of the chosen dictionary, loaded on first use and kept, with
  // what they have looked up, for the program's life; null for the same
  // beginning.
  std::shared_ptr<LemmaSource> Lemmas();

  // The controls of the same-beginning rule (its numbers and their labels),
  // which the dictionary form leaves without effect: greyed while it is
  // chosen.
  void SetBeginningControls(std::vector<wxWindow*> controls);
  // Greys them when the dictionary form is chosen, after the section's
  // switch has enabled them.
  void GreyUnusedControls();

  // Where the dictionaries are looked for, and the preferences file (empty:
  // none); the tests point them elsewhere before the window is made.
  static std::string& DictionaryFolder();
  static std::string PreferencesPath();

  void OnChoice(wxCommandEvent& event);

 private:
  FamilyKind ShownKind() const;
  Language ShownLanguage() const;
  void ShowKind(FamilyKind kind);
  void ShowAvailability();
  void Remember() const;

  wxRadioButton* m_beginning;
  wxRadioButton* m_dictionaryForm;
  wxChoice* m_language;
  wxStaticText* m_missing;
  std::vector<wxWindow*> m_beginningControls;
  FamilyKind m_kind = FamilyKind::kBeginning;
  std::shared_ptr<LemmaSource> m_lemmas[2];  // French, English

  wxDECLARE_EVENT_TABLE();
};

}  // namespace verbolt
