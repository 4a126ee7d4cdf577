// config.txt in the working directory, as the window keeps it: read at the
// start, written at exit. A file that is not Verbolt's own is set aside or
// left alone, and the writer hears of it in one line on standard error.
#pragma once

#include "settings/analysis_settings.h"

namespace verbolt {

// The settings of config.txt; the defaults, written at once, when it
// cannot be loaded.
AnalysisSettings loadConfigFile();
// Writes `settings` to config.txt, unclamped.
void saveConfigFile(const AnalysisSettings& settings);

}  // namespace verbolt
