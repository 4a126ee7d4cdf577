// config.txt: the settings kept between runs, one "key = value" line each.
#pragma once

#include <string>
#include <string_view>

#include "settings/analysis_settings.h"

namespace verbolt {

// The first line of every file SaveConfiguration writes.
inline constexpr std::string_view kConfigurationHeader = "// Verbolt 2 configuration file";

// Fills `settings` (whose lists are expected empty) from the file and
// clamps it. True only when all 19 keys were found.
bool LoadConfiguration(AnalysisSettings& settings, const std::string& path);

// Whether the file at `path` can be read as a configuration file at all,
// and if not, why: `error` is the errno of a failed open (ENOENT, ELOOP,
// EACCES...), or 0 when what `path` names is not a regular file. `cause`
// says it in a few words: "is a directory", "cannot be opened: ...".
// Never waits on a pipe.
struct ConfigurationFileCheck {
  bool readable;
  int error;
  std::string cause;
};
ConfigurationFileCheck checkConfigurationFile(const std::string& path);

// Writes every stored field as the file's whole new content. The old file
// is replaced only once the new one is completely on disk.
void SaveConfiguration(const AnalysisSettings& settings, const std::string& path);

// The exact bytes SaveConfiguration writes.
std::string configurationText(const AnalysisSettings& settings);

}  // namespace verbolt
