// Entry point. Without a display the toolkit would abort with a cryptic
// message; say so plainly instead.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/app.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <list>
#include <optional>
#include <string>
#include <utility>

#include "files/durable_write.h"
#include "settings/config_home.h"
#include "strings/language.h"
#include "strings/localized_text.h"
#include "ui/app.h"

using namespace verbolt;

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

// `--lang en|fr`: the language for this run, whatever the desktop's.
const char kLanguageOption[] = "--lang";

// Removes `option` and the value after it from the arguments; the value,
// empty when the option is last, or none when the option is absent.
std::optional<std::string> takeOptionValue(int& argc, char** argv, const char* option) {
  std::optional<std::string> value;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], option) == 0) {
      value = i + 1 < argc ? argv[++i] : "";
    } else {
      argv[kept++] = argv[i];
    }
  }
  argv[kept] = nullptr;
  argc = kept;
  return value;
}

// The language asked for on the command line, or else the desktop's.
std::optional<Language> chosenLanguage(int& argc, char** argv) {
  std::optional<std::string> name = takeOptionValue(argc, argv, kLanguageOption);
  if (!name) {
    return languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  }
  return languageNamed(*name);
}

const char* homeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* entry = getpwuid(getuid());
  return entry ? entry->pw_dir : nullptr;
}

// Takes the manuscript to open out of the arguments: the first one that is
// not an option. The toolkit would turn it into text by the locale's rules
// and drop a name that is not UTF-8; the window takes its bytes as they are.
std::optional<std::string> takeManuscript(int& argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-') continue;
    std::string path = argv[i];
    for (int j = i; j < argc; ++j) argv[j] = argv[j + 1];
    --argc;
    return path;
  }
  return std::nullopt;
}

// The toolkit keeps its own settings (the file dialog's folder and sort
// order) through the session bus. Without one, every change it tries to
// store ends in a warning on the terminal: for this run they are kept in
// memory instead. A writer's own choice of backend stands.
void keepToolkitSettingsInMemoryWithoutABus() {
  const char* chosen = std::getenv("GSETTINGS_BACKEND");
  if (chosen && *chosen) return;
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address && *address) return;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat bus;
  if (runtime && *runtime && stat((std::string(runtime) + "/bus").c_str(), &bus) == 0 &&
      S_ISSOCK(bus.st_mode)) {
    return;
  }
  setenv("GSETTINGS_BACKEND", "memory", 1);
}

bool hasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
  ignoreFileSizeSignal();
  std::optional<Language> language = chosenLanguage(argc, argv);
  if (!language) {
    std::fprintf(stderr, "verbolt: --lang takes en or fr\n");
    return 2;
  }
  // Before the first text is read: the defaults of a first start and every
  // label of the window follow it.
  setLanguage(*language);
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
  if (std::optional<std::string> manuscript = takeManuscript(argc, argv)) {
    MyApp::OpenAtStart(std::move(*manuscript));
  }
  if (!hasDisplay()) {
    std::fprintf(stderr,
                 "verbolt: no display found: start it from a desktop session "
                 "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n");
    return 1;
  }
  keepToolkitSettingsInMemoryWithoutABus();
  return wxEntry(argc, argv);
}
