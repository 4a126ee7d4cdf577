// The detection pass of an analysis run: one walk over the lowered text
// finds phrases, searched words, close and distant repetitions, and builds
// the Top-100 report. The window paints what it returns.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/progress.h"
#include "settings/analysis_settings.h"

struct AnalysisResult {
  std::vector<int> phraseRanges;  // flat (start, length) pairs
  std::vector<int> searchedStarts;
  std::vector<int> distantStarts;
  std::vector<int> closeStarts;
  std::string report;
};

// `loweredText` is the editor text after lowercaseText; `settings` has been
// clamped. `progress`, when set, takes the gauge from 0 to 50.
AnalysisResult analyzeText(std::string_view loweredText, const AnalysisSettings& settings,
                           const ProgressSink& progress = {});
