// The program's own preferences files (recent files, the kind of similar
// words), kept in its settings folder under $XDG_CONFIG_HOME/verbolt and
// never in config.txt.
#pragma once

#include <string>

namespace verbolt {

// The path of preferences file `name`; empty when the user has no home.
std::string preferencesPath(const char* name);

// Replaces preferences file `name` with `content`, making the folder if it
// is missing. A file that cannot be written is let go: losing a preference
// loses no work.
void storePreferences(const char* name, const std::string& content);

}  // namespace verbolt
