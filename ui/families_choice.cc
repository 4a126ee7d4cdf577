#include "ui/families_choice.h"

#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "lemma/dictionary.h"
#include "ui/localized.h"
#include "ui/preferences.h"

namespace verbolt {

namespace {

const char kPreferencesName[] = "similar-words.txt";
// One line, the name of a kind ("lemma-fr").
constexpr LineBounds kPreferencesBounds = {1, 64};
constexpr int kMissingWrap = 200;

// The languages of the choice, in its order.
constexpr Language kLanguages[] = {Language::kFrench, Language::kEnglish};

size_t indexOf(Language language) { return language == Language::kFrench ? 0 : 1; }

FamilyKind dictionaryKind(Language language) {
  return language == Language::kFrench ? FamilyKind::kLemmaFrench : FamilyKind::kLemmaEnglish;
}

bool isInstalled(Language language) {
  return findDictionary(language, FamiliesChoice::DictionaryFolder()).has_value();
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(FamiliesChoice, wxPanel)
  EVT_RADIOBUTTON(kStrSameBeginning, FamiliesChoice::OnChoice)
  EVT_RADIOBUTTON(kStrSameDictionaryForm, FamiliesChoice::OnChoice)
  EVT_CHOICE(kStrFrenchDictionary, FamiliesChoice::OnChoice)
wxEND_EVENT_TABLE()
// clang-format on

FamiliesChoice::FamiliesChoice(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
  SetBackgroundColour(parent->GetBackgroundColour());
  m_beginning = new wxRadioButton(this, kStrSameBeginning, localized(kStrSameBeginning),
                                  wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  m_dictionaryForm =
      new wxRadioButton(this, kStrSameDictionaryForm, localized(kStrSameDictionaryForm));
  m_language = new wxChoice(this, kStrFrenchDictionary);
  m_language->Append(localized(kStrFrenchDictionary));
  m_language->Append(localized(kStrEnglishDictionary));
  m_missing = new wxStaticText(this, wxID_ANY, wxEmptyString);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(m_beginning);
  column->Add(m_dictionaryForm);
  auto* languageRow = new wxBoxSizer(wxHORIZONTAL);
  languageRow->Add(20, 0);
  languageRow->Add(m_language);
  column->Add(languageRow);
  column->Add(m_missing);
  SetSizer(column);

  const std::vector<std::string> lines = readPreferences(kPreferencesName, kPreferencesBounds);
  const std::string name = lines.empty() ? std::string() : lines.front();
  ShowKind(familyKindNamed(name).value_or(FamilyKind::kBeginning));
  m_kind = ShownKind();
}

std::string& FamiliesChoice::DictionaryFolder() {
  static std::string folder = kDictionaryFolder;
  return folder;
}

std::string FamiliesChoice::PreferencesPath() { return preferencesPath(kPreferencesName); }

void FamiliesChoice::Choose(FamilyKind kind) {
  ShowKind(kind);
  wxCommandEvent chosen;
  OnChoice(chosen);
}

void FamiliesChoice::OnChoice(wxCommandEvent&) {
  // Another language with the dictionary form chosen keeps that form when
  // its dictionary is there.
  ShowAvailability();
  m_kind = ShownKind();
  Remember();
  for (wxWindow* control : m_beginningControls) control->Enable(IsThisEnabled());
  GreyUnusedControls();
}

void FamiliesChoice::SetBeginningControls(std::vector<wxWindow*> controls) {
  m_beginningControls = std::move(controls);
  GreyUnusedControls();
}

void FamiliesChoice::GreyUnusedControls() {
  if (m_kind == FamilyKind::kBeginning) return;
  for (wxWindow* control : m_beginningControls) control->Disable();
}

std::shared_ptr<LemmaSource> FamiliesChoice::Lemmas() {
  std::optional<Language> language = dictionaryLanguage(m_kind);
  if (!language) return nullptr;
  std::shared_ptr<LemmaSource>& lemmas = m_lemmas[indexOf(*language)];
  if (!lemmas) {
    std::optional<DictionaryFiles> files = findDictionary(*language, DictionaryFolder());
    if (files) lemmas = loadLemmas(*files);
  }
  return lemmas;
}

Language FamiliesChoice::ShownLanguage() const {
  return kLanguages[m_language->GetSelection() == 1 ? 1 : 0];
}

FamilyKind FamiliesChoice::ShownKind() const {
  if (!m_dictionaryForm->GetValue() || !m_dictionaryForm->IsThisEnabled()) {
    return FamilyKind::kBeginning;
  }
  return dictionaryKind(ShownLanguage());
}

void FamiliesChoice::ShowKind(FamilyKind kind) {
  std::optional<Language> language = dictionaryLanguage(kind);
  m_language->SetSelection(static_cast<int>(indexOf(language.value_or(Language::kFrench))));
  (language ? m_dictionaryForm : m_beginning)->SetValue(true);
  ShowAvailability();
}

// The dictionary form can be chosen only in a language whose dictionary is
// installed; otherwise the same beginning stands and a line says why.
void FamiliesChoice::ShowAvailability() {
  const Language language = ShownLanguage();
  const bool installed = isInstalled(language);
  m_dictionaryForm->Enable(installed);
  if (!installed && m_dictionaryForm->GetValue()) m_beginning->SetValue(true);
  wxString missing;
  if (!installed) {
    missing = wxString::Format(
        localized(kStrDictionaryMissing),
        localized(language == Language::kFrench ? kStrFrenchDictionary : kStrEnglishDictionary),
        wxString(dictionaryPackage(language)));
  }
  m_missing->SetLabel(missing);
  m_missing->Wrap(kMissingWrap);
  m_missing->Show(!installed);
  Layout();
  GetParent()->Layout();
}

void FamiliesChoice::Remember() const {
  // Lost, the choice falls back to the default at the next start.
  storePreferences(kPreferencesName, std::string(nameOf(m_kind)) + "\n");
}

}  // namespace verbolt
