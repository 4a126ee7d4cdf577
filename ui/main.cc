// Entry point. Without a display the toolkit would abort with a cryptic
// message; say so plainly instead.
#include <pwd.h>
#include <unistd.h>
#include <wx/app.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <list>
#include <string>

#include "settings/config_home.h"
#include "ui/app.h"

wxIMPLEMENT_APP_NO_MAIN(MyApp);

namespace {

// Given by the desktop entry: the settings live in a folder of their own
// rather than in whatever folder the menu starts programs from.
const char kInConfigHome[] = "--in-config-home";

// Removes the option from the arguments the toolkit sees; true when given.
bool takeOption(int& argc, char** argv, const char* option) {
  bool found = false;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], option) == 0) {
      found = true;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argv[kept] = nullptr;
  argc = kept;
  return found;
}

const char* homeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* entry = getpwuid(getuid());
  return entry ? entry->pw_dir : nullptr;
}

bool hasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
  std::list<std::string> absolutePaths;
  if (takeOption(argc, argv, kInConfigHome)) {
    // A manuscript named on the command line stays the same file once the
    // program works in its settings folder.
    for (int i = 1; i < argc; ++i) {
      absolutePaths.push_back(std::filesystem::absolute(argv[i]).string());
      argv[i] = absolutePaths.back().data();
    }
    std::string problem;
    // Before anything is read: config.txt is always taken from the
    // current directory.
    if (!enterFolder(configHomeFolder(std::getenv("XDG_CONFIG_HOME"), homeFolder()), problem)) {
      std::fprintf(stderr, "verbolt: %s\n", problem.c_str());
      return 1;
    }
  }
  if (!hasDisplay()) {
    std::fprintf(stderr,
                 "verbolt: no display found: start it from a desktop session "
                 "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n");
    return 1;
  }
  return wxEntry(argc, argv);
}
