#include "cli/analyze_settings.h"

namespace verbolt {

namespace {

// The window never analyses the lists as loaded: they go through its
// settings pane first, which lowers and trims every item. Doing the same
// makes a hand-edited "Said" find "said" here as it does there.
void passListsThroughPane(AnalysisSettings& settings) {
  for (WordList* list :
       {&settings.m_skipWords, &settings.m_wordsList, &settings.m_wordsPartsList}) {
    AnalysisSettings::SetListFromText(*list, AnalysisSettings::JoinList(*list, " "), " ");
  }
  AnalysisSettings::SetListFromText(settings.m_phrasesList,
                                    AnalysisSettings::JoinList(settings.m_phrasesList, "\n"), "\n");
}

}  // namespace

// The settings a Process run would use right after the window started with
// this configuration file, except that the file is never rewritten.
AnalysisSettings settingsOfConfig(const std::optional<std::string>& path,
                                  const ConfigurationFileCheck& check, std::string& warning) {
  warning.clear();
  AnalysisSettings settings;
  if (!path) {
    settings.ResetToDefaults();
  } else if (!check.readable) {
    warning = "configuration file '" + *path + "' " + check.cause + "; using the defaults";
    settings.ResetToDefaults();
  } else if (!LoadConfiguration(settings, *path)) {
    warning = "'" + *path + "' is not a complete configuration file; using the defaults";
    settings.ResetToDefaults();
  }
  passListsThroughPane(settings);
  settings.ClampToRanges();
  return settings;
}

}  // namespace verbolt
