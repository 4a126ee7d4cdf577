// The settings an analysis of verbolt-analyze starts from: those of a
// config.txt of the window, as its settings pane would give them, or the
// defaults. The command line and the language server share them.
#pragma once

#include <optional>
#include <string>

#include "settings/analysis_settings.h"
#include "settings/configuration.h"

namespace verbolt {

// `check` is checkConfigurationFile(*path) when a path is given. A file
// that cannot be read as a configuration leaves the defaults, and
// `warning` says why in one English sentence (empty otherwise).
AnalysisSettings settingsOfConfig(const std::optional<std::string>& path,
                                  const ConfigurationFileCheck& check, std::string& warning);

}  // namespace verbolt
