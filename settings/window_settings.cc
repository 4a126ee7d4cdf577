#include "settings/window_settings.h"

#include "settings/configuration.h"
#include "settings/save_temporary.h"

namespace verbolt {

namespace {

// Another program's config.txt, or one this program cannot read, is
// somebody's data: it is set aside before the settings take its name.
Backup keepUnlessOwn(const std::string& path) {
  AnalysisSettings loaded;
  if (LoadConfiguration(loaded, path)) return {Backup::Outcome::kNothingThere, {}, 0};
  return keepAsBackup(path);
}

}  // namespace

StartUpSettings startUpSettings(const std::string& path) {
  removeLeftoverTemporaries(path);
  StartUpSettings start{AnalysisSettings{}, {Backup::Outcome::kNothingThere, {}, 0}};
  if (LoadConfiguration(start.settings, path)) return start;
  start.settings.ResetToDefaults();
  start.backup = keepAsBackup(path);
  if (start.backup.outcome != Backup::Outcome::kFailed) SaveConfiguration(start.settings, path);
  return start;
}

Backup saveWindowSettings(const AnalysisSettings& settings, const std::string& path) {
  Backup backup = keepUnlessOwn(path);
  if (backup.outcome != Backup::Outcome::kFailed) SaveConfiguration(settings, path);
  return backup;
}

}  // namespace verbolt
