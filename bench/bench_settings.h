// The settings the benchmarks time, shared by analysis-bench and by
// write-settings, which hands them to verbolt-analyze as a config.txt.
#pragma once

#include "settings/analysis_settings.h"

namespace verbolt {

// The window's defaults: similar words, close and distant repetitions and
// the skip filter on; word and phrase search off.
AnalysisSettings defaultBenchSettings();

// Every detection on: the defaults plus the word search (default word and
// part lists, words of 12 to 14 letters) and ten phrases of common words.
AnalysisSettings allFeaturesBenchSettings();

}  // namespace verbolt
