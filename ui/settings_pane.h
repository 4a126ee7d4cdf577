// The settings pane: the sections of the settings, one per feature, in a
// column that scrolls. Its controls, and the legend's switches, hold the
// current settings: Read() gives them, Write() shows them. A section's
// controls are enabled exactly when its switch is ticked.
#pragma once

#include <wx/scrolwin.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "highlight/plan/colours.h"
#include "highlight/plan/palette.h"
#include "settings/analysis_settings.h"
#include "settings/book_ignore.h"
#include "strings/string_id.h"

class wxButton;
class wxCheckBox;
class wxStaticText;
class wxTextCtrl;

namespace verbolt {

class EchoesControls;
class FamiliesChoice;
class Legend;

class SettingsPane : public wxScrolledWindow {
 public:
  // The legend is made first, in the row above: its switches turn on
  // sections of this pane.
  SettingsPane(wxWindow* parent, Legend& legend);
  ~SettingsPane() override;

  // The settings as the controls show them, unclamped.
  AnalysisSettings Read() const;
  void Write(const AnalysisSettings& settings);

  // The field bound to a settings member; null when there is none.
  wxTextCtrl* NumberFieldFor(int AnalysisSettings::*field) const;
  wxTextCtrl* ListFieldFor(WordList AnalysisSettings::*field) const;
  // Every number and list field, in the pane's order.
  std::vector<wxWindow*> Fields() const;
  FamiliesChoice& Families() const { return *m_familiesChoice; }
  // "Skip the characters' names": one of the program's preferences, never
  // in config.txt.
  bool SkipNames() const;
  // The "Echoes" section, kept in the preferences as it is read.
  EchoSettings Echoes() const;
  EchoesControls& EchoesSection() const { return *m_echoes; }
  // Shows, read-only, how many words the book's ignore files hold and
  // where; the button opens the nearest in the desktop's editor.
  void ShowBookList(const BookIgnore& book);
  const wxStaticText& BookListLine() const { return *m_bookList; }
  wxCheckBox& SkipNamesBox() const { return *m_skipNames; }

  // Scrolls to a list the writer has just added a word to, with the caret
  // after the word.
  void ShowSkipWords();
  void ShowHiddenWords();

  // The sections' titles in the colours of `palette`.
  void ShowPalette(const Palette& palette);

 private:
  struct NumberBinding {
    int AnalysisSettings::*field;
    wxTextCtrl* control;
  };
  struct ListBinding {
    WordList AnalysisSettings::*field;
    wxTextCtrl* control;
    const char* separator;
  };
  struct Section {
    int switchId;
    int AnalysisSettings::*field;
    wxCheckBox* switchBox;
    std::vector<wxWindow*> content;  // enabled exactly when the switch is ticked
  };

  void BuildSectionContents();
  wxSizer* BuildSection(int titleId, int helpId, std::optional<Rgb> colour, bool hasSwitch);
  wxWindow* AddLabel(wxSizer* sizer, StringId stringId);
  wxTextCtrl* AddNumberField(wxSizer* sizer, int maxTypedChars, int AnalysisSettings::*field);
  wxTextCtrl* AddListField(wxSizer* sizer, int height, WordList AnalysisSettings::*field,
                           const char* separator, long extraStyle = 0);
  void ApplyEnablingRules(const Section& section);

  void OnSectionSwitch(wxCommandEvent& event);
  void OnSectionHelp(wxCommandEvent& event);

  std::vector<NumberBinding> m_numberFields;
  std::vector<ListBinding> m_listFields;
  std::vector<Section> m_sections;
  wxTextCtrl* m_skipListField = nullptr;
  wxTextCtrl* m_hiddenListField = nullptr;
  FamiliesChoice* m_familiesChoice = nullptr;  // kept in the preferences, not in the record
  // The titles that show a colour, with their standard one.
  std::vector<std::pair<wxWindow*, Rgb>> m_colouredTitles;

  // Builder state while the pane is made: the column of sections, the
  // section panel being filled and the controls its switch governs.
  wxSizer* m_paneColumn = nullptr;
  void OnSkipNames(wxCommandEvent& event);
  void OnEchoSwitch(wxCommandEvent& event);
  void OnLegendEchoSwitch(wxCommandEvent& event);
  void ShowEchoesInLegend();
  void OnOpenBookList(wxCommandEvent& event);

  wxCheckBox* m_skipNames = nullptr;
  std::unique_ptr<EchoesControls> m_echoes;
  Legend& m_legend;
  wxStaticText* m_bookList = nullptr;
  wxButton* m_openBookList = nullptr;
  std::string m_nearestBookFile;
  wxWindow* m_sectionPanel = nullptr;
  std::vector<wxWindow*>* m_sectionContent = nullptr;
  std::vector<wxWindow*> m_alwaysEnabled;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace verbolt
