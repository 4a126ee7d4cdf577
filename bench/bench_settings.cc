#include "bench/bench_settings.h"

namespace verbolt {

AnalysisSettings defaultBenchSettings() {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.ClampToRanges();
  return settings;
}

// The size band of the word search only reaches the long tail of the
// vocabulary; the phrases are pairs of the commonest words, so every one is
// found.
AnalysisSettings allFeaturesBenchSettings() {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.m_sameActive = 1;
  settings.m_closeActive = 1;
  settings.m_distantActive = 1;
  settings.m_wordsActive = 1;
  settings.m_wordsLetterMin = 12;
  settings.m_wordsLetterMax = 14;
  settings.m_phrasesActive = 1;
  AnalysisSettings::SetListFromText(settings.m_phrasesList,
                                    "of the\nin the\nto the\nand the\nit was\n"
                                    "he had\nthat he\non the\nat the\nfor the",
                                    "\n");
  settings.ClampToRanges();
  return settings;
}

}  // namespace verbolt
