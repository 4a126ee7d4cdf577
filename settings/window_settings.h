// config.txt as the window uses it: read when it starts, written when it
// closes, and never written over a file that is not its own.
#pragma once

#include <string>

#include "settings/analysis_settings.h"
#include "settings/backup.h"

namespace verbolt {

struct StartUpSettings {
  AnalysisSettings settings;
  Backup backup;  // what became of a file that failed to load
};

// Removes the leftovers of saves that were killed, then loads the file at
// `path`. A file that fails to load is kept under a backup name and the
// defaults are written in its place at once; a missing file just gets the
// defaults. A file that could not be kept is not replaced.
StartUpSettings startUpSettings(const std::string& path);

// Writes `settings` to `path`, as at exit. A file there that does not load
// as settings (another program wrote it since the start, or the start could
// not set it aside) is kept under a backup name first, or, when it cannot
// be, left as it is and nothing is written.
Backup saveWindowSettings(const AnalysisSettings& settings, const std::string& path);

}  // namespace verbolt
