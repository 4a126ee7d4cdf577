// The temporary file a save writes beside config.txt before renaming it
// over the file. Its name carries the id of the saving process and the
// file is locked while it is written, so that a later start can tell the
// leftover of a killed save from a save in progress in another window.
#pragma once

#include <string>

namespace verbolt {

// Creates `path`.verbolt-PID-XXXXXX, locked and not inherited by child
// processes. Returns its descriptor and sets `name`, or returns -1.
int createSaveTemporary(const std::string& path, std::string& name);

// Removes the temporaries of `path` that no save will ever finish: named
// as above after a process that no longer runs, not locked, owned by this
// user, and holding nothing but the beginning of a configuration file.
// Anything else beside `path` is left alone. Returns how many went.
int removeLeftoverTemporaries(const std::string& path);

}  // namespace verbolt
