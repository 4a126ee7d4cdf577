#include "ui/guarded_app.h"

#include <wx/gauge.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>

#include <cstdio>
#include <exception>
#include <new>

#include "highlight/editor_text.h"
#include "strings/localized_text.h"
#include "ui/dialogs.h"
#include "ui/ids.h"
#include "ui/session_end.h"

namespace verbolt {

namespace {

wxString localized(StringId id) { return fromCp1252(LocalizedText(id)); }

// What went wrong, in the writer's words, for the exception in flight.
wxString failureOfCurrentException() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return localized(kStrNotEnoughMemory);
  } catch (const std::exception& failure) {
    return wxString::FromUTF8(failure.what());
  } catch (...) {
    return localized(kStrUnexpectedError);
  }
}

// A run stopped half-way leaves its gauge where it was.
void resetGauges() {
  for (wxWindow* window : wxTopLevelWindows) {
    if (auto* gauge = wxDynamicCast(wxWindow::FindWindowByName("gauge", window), wxGauge)) {
      gauge->SetValue(0);
    }
  }
}

// Reports the exception in flight; the window it happened in goes on.
void reportFailedCommand() {
  const wxString failure = failureOfCurrentException();
  resetGauges();
  try {
    showMessageBox(wxString::Format(localized(kStrCommandFailed), failure), "Verbolt 2",
                   wxOK | wxICON_ERROR, wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
  } catch (...) {
    // Not even the message box could be shown: the terminal hears of it.
    std::fprintf(stderr, "verbolt: a command could not be completed: %s\n",
                 static_cast<const char*>(failure.utf8_str()));
  }
}

}  // namespace

void GuardedApp::CallEventHandler(wxEvtHandler* handler, wxEventFunctor& functor,
                                  wxEvent& event) const {
  try {
    wxApp::CallEventHandler(handler, functor, event);
  } catch (...) {
    reportFailedCommand();
  }
}

bool GuardedApp::OnExceptionInMainLoop() {
  reportFailedCommand();
  return true;
}

// The session asked first whether it may end, and nothing here objects;
// now it ends, the windows close and save.
void GuardedApp::OnEndSession(wxCloseEvent&) { closeEveryWindow(); }

wxBEGIN_EVENT_TABLE(GuardedApp, wxApp)
  EVT_END_SESSION(GuardedApp::OnEndSession)
wxEND_EVENT_TABLE()

}  // namespace verbolt
