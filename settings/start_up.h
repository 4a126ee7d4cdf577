// What the window does with config.txt when it starts.
#pragma once

#include <string>

#include "settings/analysis_settings.h"
#include "settings/backup.h"

struct StartUpSettings {
  AnalysisSettings settings;
  Backup backup;  // what became of a file that failed to load
};

// Removes the leftovers of saves that were killed, then loads the file at
// `path`. A file that fails to load is kept under a
// backup name and the defaults are written in its place at once; a
// missing file just gets the defaults. A file that could not be kept is
// not replaced.
StartUpSettings startUpSettings(const std::string& path);
