#include "ui/config_file.h"

#include <cstdio>
#include <cstring>

#include "settings/window_settings.h"

namespace verbolt {

namespace {

const char kConfigurationFile[] = "config.txt";

// One line on standard error when config.txt was not Verbolt's own.
void reportBackup(const Backup& backup) {
  if (backup.outcome == Backup::Outcome::kKept) {
    std::fprintf(stderr,
                 "verbolt: %s does not hold Verbolt settings; it is kept as %s and Verbolt's "
                 "settings take its place\n",
                 kConfigurationFile, backup.name.c_str());
  } else if (backup.outcome == Backup::Outcome::kFailed) {
    std::fprintf(stderr,
                 "verbolt: %s does not hold Verbolt settings and cannot be set aside (%s); it "
                 "is left as it is and the settings are not written to it\n",
                 kConfigurationFile, std::strerror(backup.error));
  }
}

}  // namespace

AnalysisSettings loadConfigFile() {
  StartUpSettings start = startUpSettings(kConfigurationFile);
  reportBackup(start.backup);
  return start.settings;
}

void saveConfigFile(const AnalysisSettings& settings) {
  reportBackup(saveWindowSettings(settings, kConfigurationFile));
}

}  // namespace verbolt
