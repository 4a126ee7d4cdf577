#include "settings/start_up.h"

#include "settings/configuration.h"
#include "settings/save_temporary.h"

StartUpSettings startUpSettings(const std::string& path) {
  removeLeftoverTemporaries(path);
  StartUpSettings start{AnalysisSettings{}, {Backup::Outcome::kNothingThere, {}, 0}};
  if (LoadConfiguration(start.settings, path)) return start;
  start.settings.ResetToDefaults();
  // Another program's config.txt, or one this program cannot read, is
  // somebody's data: it is set aside before the defaults take its name.
  start.backup = keepAsBackup(path);
  if (start.backup.outcome != Backup::Outcome::kFailed) SaveConfiguration(start.settings, path);
  return start;
}
