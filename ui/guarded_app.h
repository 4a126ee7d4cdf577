// The application object's part in keeping the writer's work: a command
// that fails (an exhausted memory, say) is reported in one message box and
// the window goes on, with its text and settings; the end of the desktop
// session closes the windows the normal way, so their settings are saved.
#pragma once

#include <wx/app.h>

namespace verbolt {

class GuardedApp : public wxApp {
 public:
  // Every event handler runs through here.
  void CallEventHandler(wxEvtHandler* handler, wxEventFunctor& functor,
                        wxEvent& event) const override;
  // A failure the toolkit caught outside any handler.
  bool OnExceptionInMainLoop() override;

  void OnEndSession(wxCloseEvent& event);

 private:
  wxDECLARE_EVENT_TABLE();
};

}  // namespace verbolt
