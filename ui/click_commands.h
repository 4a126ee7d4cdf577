// What a click on a word does. The frame's two click handlers,
// FrameMain::OnEditorClick and FrameMain::OnTop100Click, are defined with
// these commands.
#pragma once

#include <string>

#include "settings/analysis_settings.h"

namespace verbolt {

// Appends `word` to the words to skip unless an equivalent entry is there.
void addSkipWord(const std::string& word, AnalysisSettings& settings);

}  // namespace verbolt
