// The folder a start from the desktop menu keeps config.txt in, so that
// the menu never touches a config.txt of the home folder.
#pragma once

#include <string>

namespace verbolt {

// $XDG_CONFIG_HOME/verbolt, or `home`/.config/verbolt when XDG_CONFIG_HOME
// is unset, empty or not absolute (the XDG rules ignore a relative one).
// Empty when neither gives an absolute folder.
std::string configHomeFolder(const char* xdgConfigHome, const char* home);

// Creates `folder` and its missing parents, readable by the user alone,
// and makes it the current directory. False with `problem` set when it
// cannot.
bool enterFolder(const std::string& folder, std::string& problem);

}  // namespace verbolt
