// The program's own preferences files (recent files, the kind of similar
// words), kept in its settings folder under $XDG_CONFIG_HOME/verbolt and
// never in config.txt.
#pragma once

#include <string>
#include <vector>

#include "settings/preferences_file.h"

namespace verbolt {

// The path of preferences file `name`; empty when the user has no home.
std::string preferencesPath(const char* name);

// The lines of preferences file `name` within `bounds`; none when it is
// missing, a link or anything but a regular file it may read.
std::vector<std::string> readPreferences(const char* name, LineBounds bounds);

// Replaces preferences file `name` with `content`, making the folder if it
// is missing (see storePreferenceFile). A file that cannot be written is
// let go: losing a preference loses no work. One that could not be read is
// kept under a backup name, which one line on standard error tells.
void storePreferences(const char* name, const std::string& content);

}  // namespace verbolt
