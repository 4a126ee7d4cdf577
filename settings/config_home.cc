#include "settings/config_home.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace verbolt {

namespace {

bool isAbsolute(const char* path) { return path && path[0] == '/'; }

}  // namespace

std::string configHomeFolder(const char* xdgConfigHome, const char* home) {
  if (isAbsolute(xdgConfigHome)) return std::string(xdgConfigHome) + "/verbolt";
  if (isAbsolute(home)) return std::string(home) + "/.config/verbolt";
  return {};
}

bool enterFolder(const std::string& folder, std::string& problem) {
  if (folder.empty()) {
    problem = "no settings folder: neither XDG_CONFIG_HOME nor HOME names an absolute folder";
    return false;
  }
  // Settings are the user's own business: new folders are private.
  mode_t previous = umask(077);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  umask(previous);
  if (error) {
    problem = "cannot create the settings folder '" + folder + "': " + error.message();
    return false;
  }
  if (chdir(folder.c_str()) != 0) {
    problem = "cannot enter the settings folder '" + folder + "': " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace verbolt
