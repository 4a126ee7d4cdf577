#include "ui/echoes_controls.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <string>

#include "highlight/editor_text.h"
#include "settings/analysis_settings.h"
#include "ui/ids.h"
#include "ui/localized.h"
#include "ui/number_field.h"
#include "ui/preferences.h"

namespace verbolt {

namespace {

const char kPreferenceName[] = "echoes.txt";
constexpr LineBounds kPreferenceBounds = {8, 64};

std::string joinedLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

wxTextCtrl* numberIn(wxWindow* panel, wxSizer* row, int maxTypedChars, long long value) {
  auto* field = new NumberField(panel, maxTypedChars);
  field->ChangeValue(wxString::Format("%lld", value));
  row->Add(field, 0, wxALIGN_CENTER_VERTICAL);
  return field;
}

wxWindow* labelIn(wxWindow* panel, wxSizer* row, StringId id) {
  auto* label = new wxStaticText(panel, wxID_ANY, localized(id));
  row->Add(label, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 2);
  return label;
}

}  // namespace

EchoesControls::EchoesControls(wxWindow* panel, wxSizer* content)
    : m_stored(echoSettingsFromLines(readPreferences(kPreferenceName, kPreferenceBounds))) {
  m_phrases = new wxCheckBox(panel, kIdEchoPhrases, localized(kStrEchoPhrases));
  m_phrases->SetValue(m_stored.phrasesActive);
  content->Add(m_phrases);

  // Under the switch they depend on: "of 2 to 6 words", "within 3000 letters".
  auto* lengths = new wxBoxSizer(wxHORIZONTAL);
  m_phraseControls.push_back(labelIn(panel, lengths, kStrEchoOf));
  m_minWords = numberIn(panel, lengths, 1, m_stored.minWords);
  m_phraseControls.push_back(m_minWords);
  m_phraseControls.push_back(labelIn(panel, lengths, kStrEchoTo));
  m_maxWords = numberIn(panel, lengths, 1, m_stored.maxWords);
  m_phraseControls.push_back(m_maxWords);
  m_phraseControls.push_back(labelIn(panel, lengths, kStrEchoWords));
  content->Add(lengths, 0, wxLEFT, 20);

  auto* within = new wxBoxSizer(wxHORIZONTAL);
  m_phraseControls.push_back(labelIn(panel, within, kStrEchoWithin));
  m_distance = numberIn(panel, within, 7, static_cast<long long>(m_stored.distance));
  m_phraseControls.push_back(m_distance);
  m_phraseControls.push_back(labelIn(panel, within, kStrEchoLetters));
  content->Add(within, 0, wxLEFT, 20);

  m_openings = new wxCheckBox(panel, kIdEchoOpenings, localized(kStrSentenceOpenings));
  m_openings->SetValue(m_stored.openingsActive);
  content->Add(m_openings, 0, wxTOP, 2);
  ApplyEnablingRules();
}

EchoSettings EchoesControls::Read() const {
  EchoSettings settings;
  settings.phrasesActive = m_phrases->GetValue();
  settings.openingsActive = m_openings->GetValue();
  settings.minWords = parseCount(toCp1252(m_minWords->GetValue()));
  settings.maxWords = parseCount(toCp1252(m_maxWords->GetValue()));
  const int distance = parseCount(toCp1252(m_distance->GetValue()));
  settings.distance = distance > 0 ? static_cast<size_t>(distance) : 1;
  clampEchoSettings(settings);
  return settings;
}

void EchoesControls::Store() {
  const EchoSettings shown = Read();
  if (shown == m_stored) return;
  storePreferences(kPreferenceName, joinedLines(echoSettingsLines(shown)));
  m_stored = shown;
}

void EchoesControls::ApplyEnablingRules() {
  for (wxWindow* control : m_phraseControls) control->Enable(m_phrases->GetValue());
}

}  // namespace verbolt
