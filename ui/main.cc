// Entry point. Without a display the toolkit would abort with a cryptic
// message; say so plainly instead.
#include <wx/app.h>

#include <cstdio>
#include <cstdlib>

#include "ui/app.h"

wxIMPLEMENT_APP_NO_MAIN(MyApp);

int main(int argc, char** argv) {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((!x11 || !*x11) && (!wayland || !*wayland)) {
    std::fprintf(stderr,
                 "verbolt: no display found: start it from a desktop session "
                 "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n");
    return 1;
  }
  return wxEntry(argc, argv);
}
