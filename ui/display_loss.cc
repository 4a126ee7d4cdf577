#include "ui/display_loss.h"

#include <X11/Xlib.h>
#include <wx/toplevel.h>

#include "ui/frame_main.h"

namespace {

// The toolkit's own handler: it reports the loss and ends the program.
XIOErrorHandler toolkitHandler = nullptr;

int onDisplayLost(Display* display) {
  // A save that touched the display would come back here.
  static bool saving = false;
  if (!saving) {
    saving = true;
    for (wxWindow* window : wxTopLevelWindows) {
      if (auto* frame = dynamic_cast<FrameMain*>(window)) frame->SaveSettings();
    }
  }
  return toolkitHandler ? toolkitHandler(display) : 0;
}

}  // namespace

void saveSettingsIfTheDisplayIsLost() { toolkitHandler = XSetIOErrorHandler(onDisplayLost); }
