#include "ui/settings_pane.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "highlight/editor_text.h"
#include "highlight/restyle.h"
#include "resources/icons.h"
#include "strings/localized_text.h"
#include "ui/dialogs.h"
#include "ui/echoes_controls.h"
#include "ui/families_choice.h"
#include "ui/ids.h"
#include "ui/legend.h"
#include "ui/localized.h"
#include "ui/number_field.h"
#include "ui/preferences.h"

namespace verbolt {

namespace {

// On or off, kept for the next start.
const char kSkipNamesPreference[] = "skip-names.txt";

constexpr int kListWidth = 205;
// The hidden-words section sits this far down the pane, in scroll units.
constexpr int kHiddenSectionScroll = 500;
const char kWordSeparator[] = " ";
const char kPhraseSeparator[] = "\n";

struct HelpTopic {
  int helpId;
  int titleId;
};
constexpr HelpTopic kHelpTopics[] = {
    {kHelpSkip, kSwitchSkip},       {kHelpSame, kSwitchSame},    {kHelpClose, kSwitchClose},
    {kHelpDistant, kSwitchDistant}, {kHelpWords, kSwitchWords},  {kHelpPhrases, kSwitchPhrases},
    {kHelpHidden, kTitleHidden},    {kHelpEchoes, kTitleEchoes},
};

// Controls of a row are centred vertically; a label alone on its line is not.
int inRowFlags(wxSizer* sizer) {
  auto* box = wxDynamicCast(sizer, wxBoxSizer);
  return box && box->GetOrientation() == wxHORIZONTAL ? wxALIGN_CENTER_VERTICAL : 0;
}

// The toolkit applies a new font only once the control is shown, so the
// size it measures now is that of the regular label. A check box given
// less than its bold width makes GTK complain on every layout: widen it by
// what the bold letters take.
void makeBold(wxWindow& title) {
  const int regular = title.GetTextExtent(title.GetLabel()).x;
  const wxSize best = title.GetBestSize();
  title.SetFont(title.GetFont().Bold());
  const int bold = title.GetTextExtent(title.GetLabel()).x;
  title.SetMinSize(wxSize(best.x + std::max(0, bold - regular), best.y));
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(SettingsPane, wxScrolledWindow)
  EVT_CHECKBOX(kSwitchSkip, SettingsPane::OnSectionSwitch)
  EVT_CHECKBOX(kIdSkipNames, SettingsPane::OnSkipNames)
  EVT_BUTTON(kIdOpenBookList, SettingsPane::OnOpenBookList)
  EVT_CHECKBOX(kSwitchSame, SettingsPane::OnSectionSwitch)
  EVT_CHECKBOX(kSwitchClose, SettingsPane::OnSectionSwitch)
  EVT_CHECKBOX(kSwitchDistant, SettingsPane::OnSectionSwitch)
  EVT_CHECKBOX(kSwitchWords, SettingsPane::OnSectionSwitch)
  EVT_CHECKBOX(kSwitchPhrases, SettingsPane::OnSectionSwitch)
  EVT_BUTTON(kHelpSkip, SettingsPane::OnSectionHelp)
  EVT_BUTTON(kHelpSame, SettingsPane::OnSectionHelp)
  EVT_BUTTON(kHelpClose, SettingsPane::OnSectionHelp)
  EVT_BUTTON(kHelpDistant, SettingsPane::OnSectionHelp)
  EVT_BUTTON(kHelpWords, SettingsPane::OnSectionHelp)
  EVT_BUTTON(kHelpPhrases, SettingsPane::OnSectionHelp)
  EVT_BUTTON(kHelpHidden, SettingsPane::OnSectionHelp)
  EVT_BUTTON(kHelpEchoes, SettingsPane::OnSectionHelp)
  EVT_CHECKBOX(kIdEchoPhrases, SettingsPane::OnEchoSwitch)
  EVT_CHECKBOX(kIdEchoOpenings, SettingsPane::OnEchoSwitch)
  EVT_CHECKBOX(kIdLegendEchoPhrases, SettingsPane::OnLegendEchoSwitch)
  EVT_CHECKBOX(kIdLegendEchoOpenings, SettingsPane::OnLegendEchoSwitch)
wxEND_EVENT_TABLE()
// clang-format on

SettingsPane::SettingsPane(wxWindow* parent, Legend& legend)
    : wxScrolledWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL, "panel"),
      m_legend(legend) {
  SetBackgroundColour(toWxColour(kWindowBackground));
  SetScrollRate(0, 10);
  m_sections.reserve(6);  // pointers into it are held while the pane is built
  for (const Legend::Switch& s : legend.Switches())
    m_sections.push_back({s.id, s.field, s.box, {}});
  legend.SendClicksTo(this);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(3, 3);
  m_paneColumn = column;
  BuildSectionContents();
  m_paneColumn = nullptr;

  auto* outer = new wxBoxSizer(wxHORIZONTAL);
  outer->Add(5, 5);
  outer->Add(column, 1);
  outer->Add(5, 5);
  SetSizer(outer);
  FitInside();
  int scrollBar = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this);
  SetMinSize(wxSize(outer->GetMinSize().x + scrollBar, -1));
}

SettingsPane::~SettingsPane() = default;

void SettingsPane::BuildSectionContents() {
  wxSizer* skip = BuildSection(kSwitchSkip, kHelpSkip, std::nullopt, true);
  auto* skipRow = new wxBoxSizer(wxHORIZONTAL);
  AddLabel(skipRow, kStrLessThan);
  AddNumberField(skipRow, 2, &AnalysisSettings::m_skipNbLettersMin);
  AddLabel(skipRow, kStrOrMoreThan);
  AddNumberField(skipRow, 2, &AnalysisSettings::m_skipNbLettersMax);
  AddLabel(skipRow, kStrSkipLetters);
  skip->Add(skipRow);
  AddLabel(skip, kStrListToSkip);
  m_skipListField = AddListField(skip, 58, &AnalysisSettings::m_skipWords, kWordSeparator);
  m_skipNames = new wxCheckBox(m_sectionPanel, kIdSkipNames, localized(kStrSkipNames));
  m_skipNames->SetValue(readPreferences(kSkipNamesPreference, {1, 8}) ==
                        std::vector<std::string>{"on"});
  skip->Add(m_skipNames, 0, wxTOP, 2);
  m_sectionContent->push_back(m_skipNames);
  auto* bookRow = new wxBoxSizer(wxHORIZONTAL);
  m_bookList = new wxStaticText(m_sectionPanel, wxID_ANY, localized(kStrNoBookFile));
  m_openBookList = new wxButton(m_sectionPanel, kIdOpenBookList, localized(kStrOpenBookList),
                                wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  m_openBookList->Disable();
  bookRow->Add(m_bookList, 1, wxALIGN_CENTER_VERTICAL);
  bookRow->Add(m_openBookList, 0, wxLEFT, 4);
  skip->Add(bookRow, 0, wxEXPAND | wxTOP, 2);

  wxSizer* same = BuildSection(kSwitchSame, kHelpSame, std::nullopt, true);
  auto* lettersRow = new wxBoxSizer(wxHORIZONTAL);
  AddLabel(lettersRow, kStrNumberOfLetters);
  AddNumberField(lettersRow, 2, &AnalysisSettings::m_sameNbLetters);
  same->Add(lettersRow);
  auto* percentRow = new wxBoxSizer(wxHORIZONTAL);
  AddLabel(percentRow, kStrPercentOfWord);
  AddNumberField(percentRow, 3, &AnalysisSettings::m_samePercent);
  same->Add(percentRow);
  m_familiesChoice = new FamiliesChoice(m_sectionPanel);
  m_familiesChoice->SetBeginningControls(*m_sectionContent);
  same->Add(m_familiesChoice, 0, wxTOP, 2);
  m_sectionContent->push_back(m_familiesChoice);

  wxSizer* close =
      BuildSection(kSwitchClose, kHelpClose, classColour(HighlightClass::kClose), false);
  auto* closeRow = new wxBoxSizer(wxHORIZONTAL);
  AddLabel(closeRow, kStrCloseMaxDistance);
  AddNumberField(closeRow, 4, &AnalysisSettings::m_closeDistance);
  AddLabel(closeRow, kStrCloseLetters);
  close->Add(closeRow);

  wxSizer* distant =
      BuildSection(kSwitchDistant, kHelpDistant, classColour(HighlightClass::kDistant), false);
  auto* distanceRow = new wxBoxSizer(wxHORIZONTAL);
  AddLabel(distanceRow, kStrDistantMaxDistance);
  AddNumberField(distanceRow, 5, &AnalysisSettings::m_distantDistance);
  AddLabel(distanceRow, kStrDistantLetters);
  distant->Add(distanceRow);
  auto* countRow = new wxBoxSizer(wxHORIZONTAL);
  AddLabel(countRow, kStrMinRepetitions);
  AddNumberField(countRow, 2, &AnalysisSettings::m_distantNb);
  distant->Add(countRow);

  wxSizer* words =
      BuildSection(kSwitchWords, kHelpWords, classColour(HighlightClass::kSearched), false);
  auto* lengthRow = new wxBoxSizer(wxHORIZONTAL);
  AddLabel(lengthRow, kStrWordsBetween);
  AddNumberField(lengthRow, 2, &AnalysisSettings::m_wordsLetterMin);
  AddLabel(lengthRow, kStrWordsAnd);
  AddNumberField(lengthRow, 2, &AnalysisSettings::m_wordsLetterMax);
  AddLabel(lengthRow, kStrWordsLetters);
  words->Add(lengthRow);
  AddLabel(words, kStrWordList);
  AddListField(words, 35, &AnalysisSettings::m_wordsList, kWordSeparator);
  AddLabel(words, kStrPartWordList);
  AddListField(words, 35, &AnalysisSettings::m_wordsPartsList, kWordSeparator);

  wxSizer* phrases =
      BuildSection(kSwitchPhrases, kHelpPhrases, classColour(HighlightClass::kPhrase), false);
  AddLabel(phrases, kStrPhrasesList);
  AddListField(phrases, 75, &AnalysisSettings::m_phrasesList, kPhraseSeparator,
               wxHSCROLL | wxTE_DONTWRAP);

  wxSizer* hidden =
      BuildSection(kTitleHidden, kHelpHidden, hiddenColour(HighlightClass::kClose), false);
  AddLabel(hidden, kStrHiddenWordList);
  m_hiddenListField = AddListField(hidden, 35, &AnalysisSettings::m_hiddenList, kWordSeparator);

  // Last, so that the sections above keep their places in the pane.
  wxSizer* echoes =
      BuildSection(kTitleEchoes, kHelpEchoes, classColour(HighlightClass::kEcho), false);
  m_echoes = std::make_unique<EchoesControls>(m_sectionPanel, echoes);
  ShowEchoesInLegend();
}

void SettingsPane::ShowPalette(const Palette& palette) {
  const Palette& standard = paletteNamed(PaletteName::kStandard);
  for (const auto& [title, colour] : m_colouredTitles) {
    title->SetBackgroundColour(toWxColour(inPalette(colour, standard, palette)));
    title->SetForegroundColour(toWxColour(palette.text));
    title->Refresh();
  }
}

wxSizer* SettingsPane::BuildSection(int titleId, int helpId, std::optional<Rgb> colour,
                                    bool hasSwitch) {
  auto* panel =
      new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE, "panel");
  panel->SetBackgroundColour(toWxColour(kSectionBackground));
  auto* sectionSizer = new wxBoxSizer(wxVERTICAL);
  sectionSizer->SetMinSize(210, 15);

  auto* titleRow = new wxBoxSizer(wxHORIZONTAL);
  wxWindow* title;
  if (hasSwitch) {
    auto* box = new wxCheckBox(panel, titleId, localized(StringId(titleId)));
    titleRow->AddStretchSpacer();
    titleRow->Add(box, 0, wxALIGN_CENTER_VERTICAL);
    titleRow->AddStretchSpacer();
    title = box;
  } else {
    title = new wxStaticText(panel, wxID_ANY, localized(StringId(titleId)), wxDefaultPosition,
                             wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
    titleRow->Add(title, 1, wxALIGN_CENTER_VERTICAL);
  }
  if (colour) {
    title->SetBackgroundColour(toWxColour(*colour));
    m_colouredTitles.emplace_back(title, *colour);
  }
  makeBold(*title);
  auto* help = new wxBitmapButton(panel, helpId, iconBitmap("ICON_HELP"), wxDefaultPosition,
                                  wxSize(14, 14), wxBORDER_NONE);
  help->SetBitmapCurrent(iconBitmap("ICON_HELP2"));
  help->SetBitmapPressed(iconBitmap("ICON_HELP2"));
  titleRow->Add(help, 0, wxALIGN_CENTER_VERTICAL);
  sectionSizer->Add(titleRow, 0, wxEXPAND);
  sectionSizer->Add(new wxStaticLine(panel), 0, wxEXPAND);

  auto* content = new wxBoxSizer(wxVERTICAL);
  auto* contentRow = new wxBoxSizer(wxHORIZONTAL);
  contentRow->Add(3, 0);
  contentRow->Add(content, 1);
  contentRow->Add(3, 0);
  sectionSizer->Add(0, 2);
  sectionSizer->Add(contentRow, 0, wxEXPAND);
  sectionSizer->Add(0, 2);
  panel->SetSizer(sectionSizer);

  m_paneColumn->Add(panel, 0, wxEXPAND);
  m_paneColumn->Add(5, 5);

  m_sectionPanel = panel;
  if (hasSwitch) {
    int AnalysisSettings::*field =
        titleId == kSwitchSkip ? &AnalysisSettings::m_skipActive : &AnalysisSettings::m_sameActive;
    m_sections.push_back({titleId, field, static_cast<wxCheckBox*>(title), {}});
  }
  // Sections switched from the legend were registered when it was built.
  m_sectionContent = &m_alwaysEnabled;
  for (Section& section : m_sections) {
    if (section.switchId == titleId) m_sectionContent = &section.content;
  }
  return content;
}

wxWindow* SettingsPane::AddLabel(wxSizer* sizer, StringId stringId) {
  auto* label = new wxStaticText(m_sectionPanel, wxID_ANY, localized(stringId));
  sizer->Add(label, 0, inRowFlags(sizer));
  m_sectionContent->push_back(label);
  return label;
}

wxTextCtrl* SettingsPane::AddNumberField(wxSizer* sizer, int maxTypedChars,
                                         int AnalysisSettings::*field) {
  auto* control = new NumberField(m_sectionPanel, maxTypedChars);
  sizer->Add(control, 0, inRowFlags(sizer));
  m_sectionContent->push_back(control);
  m_numberFields.push_back({field, control});
  return control;
}

wxTextCtrl* SettingsPane::AddListField(wxSizer* sizer, int height,
                                       WordList AnalysisSettings::*field, const char* separator,
                                       long extraStyle) {
  auto* control = new wxTextCtrl(m_sectionPanel, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                 wxSize(kListWidth, height), wxTE_MULTILINE | extraStyle);
  sizer->Add(control, 0);
  m_sectionContent->push_back(control);
  m_listFields.push_back({field, control, separator});
  return control;
}

AnalysisSettings SettingsPane::Read() const {
  AnalysisSettings settings;
  for (const Section& section : m_sections) {
    settings.*section.field = section.switchBox->GetValue() ? 1 : 0;
  }
  for (const NumberBinding& number : m_numberFields) {
    settings.*number.field = parseCount(toCp1252(number.control->GetValue()));
  }
  for (const ListBinding& list : m_listFields) {
    AnalysisSettings::SetListFromText(settings.*list.field, toCp1252(list.control->GetValue()),
                                      list.separator);
  }
  settings.m_lemmas = m_familiesChoice->Lemmas();
  return settings;
}

void SettingsPane::Write(const AnalysisSettings& settings) {
  for (const Section& section : m_sections) {
    section.switchBox->SetValue(settings.*section.field == 1);
  }
  for (const NumberBinding& number : m_numberFields) {
    number.control->ChangeValue(wxString::Format("%d", settings.*number.field));
  }
  for (const ListBinding& list : m_listFields) {
    list.control->ChangeValue(
        fromCp1252(AnalysisSettings::JoinList(settings.*list.field, list.separator)));
  }
  for (int id :
       {kSwitchSkip, kSwitchSame, kSwitchClose, kSwitchDistant, kSwitchWords, kSwitchPhrases}) {
    for (const Section& section : m_sections) {
      if (section.switchId == id) ApplyEnablingRules(section);
    }
  }
}

void SettingsPane::ApplyEnablingRules(const Section& section) {
  bool ticked = section.switchBox->GetValue();
  for (wxWindow* control : section.content) control->Enable(ticked);
  if (section.switchId == kSwitchSame) m_familiesChoice->GreyUnusedControls();
}

void SettingsPane::OnSectionSwitch(wxCommandEvent& event) {
  for (const Section& section : m_sections) {
    if (section.switchId == event.GetId()) ApplyEnablingRules(section);
  }
}

void SettingsPane::OnSectionHelp(wxCommandEvent& event) {
  for (const HelpTopic& topic : kHelpTopics) {
    if (topic.helpId != event.GetId()) continue;
    showMessageBox(localized(StringId(topic.helpId)),
                   localized(kStrHelpCaption) + localized(StringId(topic.titleId)),
                   wxOK | wxICON_QUESTION, nullptr);
  }
}

wxTextCtrl* SettingsPane::NumberFieldFor(int AnalysisSettings::*field) const {
  for (const NumberBinding& binding : m_numberFields) {
    if (binding.field == field) return binding.control;
  }
  return nullptr;
}

wxTextCtrl* SettingsPane::ListFieldFor(WordList AnalysisSettings::*field) const {
  for (const ListBinding& binding : m_listFields) {
    if (binding.field == field) return binding.control;
  }
  return nullptr;
}

std::vector<wxWindow*> SettingsPane::Fields() const {
  std::vector<wxWindow*> fields;
  for (const NumberBinding& number : m_numberFields) fields.push_back(number.control);
  for (const ListBinding& list : m_listFields) fields.push_back(list.control);
  return fields;
}

void SettingsPane::ShowSkipWords() {
  m_skipListField->SetInsertionPointEnd();
  Scroll(0, 0);
}

void SettingsPane::ShowHiddenWords() {
  Scroll(0, kHiddenSectionScroll);
  m_hiddenListField->SetInsertionPointEnd();
}

bool SettingsPane::SkipNames() const { return m_skipNames->IsEnabled() && m_skipNames->GetValue(); }

void SettingsPane::ShowBookList(const BookIgnore& book) {
  size_t words = 0;
  wxString where;
  for (const BookIgnore::File& file : book.files) {
    words += file.words;
    where += shownUtf8(file.path) + "\n";
  }
  // Where the words come from: the files, nearest first, under the pointer.
  m_bookList->SetLabel(book.files.empty()
                           ? localized(kStrNoBookFile)
                           : wxString::Format(localized(kStrBookList), static_cast<int>(words)));
  m_bookList->SetToolTip(where.Trim());
  m_nearestBookFile = book.files.empty() ? std::string() : book.files.front().path;
  m_openBookList->Enable(!book.files.empty());
  Layout();
}

void SettingsPane::OnOpenBookList(wxCommandEvent&) {
  if (!m_nearestBookFile.empty()) openWithDesktop(fileNameOf(m_nearestBookFile));
}

EchoSettings SettingsPane::Echoes() const {
  m_echoes->Store();
  return m_echoes->Read();
}

void SettingsPane::OnEchoSwitch(wxCommandEvent&) {
  m_echoes->ApplyEnablingRules();
  m_echoes->Store();
  ShowEchoesInLegend();
}

// The legend's echo switches stand for the section's.
void SettingsPane::OnLegendEchoSwitch(wxCommandEvent&) {
  m_echoes->PhrasesBox().SetValue(m_legend.EchoPhrasesBox().GetValue());
  m_echoes->OpeningsBox().SetValue(m_legend.EchoOpeningsBox().GetValue());
  m_echoes->ApplyEnablingRules();
  m_echoes->Store();
}

void SettingsPane::ShowEchoesInLegend() {
  m_legend.EchoPhrasesBox().SetValue(m_echoes->PhrasesBox().GetValue());
  m_legend.EchoOpeningsBox().SetValue(m_echoes->OpeningsBox().GetValue());
}

void SettingsPane::OnSkipNames(wxCommandEvent&) {
  storePreferences(kSkipNamesPreference, m_skipNames->GetValue() ? "on\n" : "off\n");
}

}  // namespace verbolt
