#include "ui/display_loss.h"

#include <X11/Xlib.h>

#include "ui/session_end.h"

namespace verbolt {

namespace {

// The toolkit's own handler: it reports the loss and ends the program.
XIOErrorHandler toolkitHandler = nullptr;

int onDisplayLost(Display* display) {
  // A save that touched the display would come back here.
  static bool saving = false;
  if (!saving) {
    saving = true;
    saveEveryMainWindow();
  }
  return toolkitHandler ? toolkitHandler(display) : 0;
}

}  // namespace

void saveSettingsIfTheDisplayIsLost() { toolkitHandler = XSetIOErrorHandler(onDisplayLost); }

}  // namespace verbolt
