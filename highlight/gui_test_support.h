// Helpers for tests that drive real windows under the toolkit that
// gui_test_main starts.
#pragma once

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <chrono>
#include <string_view>
#include <thread>

#include "highlight/editor_text.h"
#include "highlight/plan/colours.h"

// Lets the toolkit handle its pending events for about `milliseconds`.
inline void pumpEvents(int milliseconds = 50) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    wxTheApp->Yield(true);
    wxTheApp->ProcessPendingEvents();
  } while (std::chrono::steady_clock::now() < until);
}

// Lets the toolkit handle its events until `done()` holds, for at most
// `timeoutMilliseconds`. True when it came to hold.
template <typename Condition>
bool waitFor(Condition done, int timeoutMilliseconds = 3000) {
  const auto until =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    wxTheApp->Yield(true);
    wxTheApp->ProcessPendingEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// The background colour of the character at `position`, white when it has
// none.
inline Rgb backgroundAt(wxTextCtrl& control, long position) {
  wxTextAttr style;
  if (!control.GetStyle(position, style) || !style.HasBackgroundColour()) return kWhite;
  const wxColour colour = style.GetBackgroundColour();
  return {colour.Red(), colour.Green(), colour.Blue()};
}

// A shown frame holding an editor like the program's and a gauge; destroyed
// with the fixture.
class EditorWindow {
 public:
  EditorWindow() {
    m_frame = new wxFrame(nullptr, wxID_ANY, "test", wxDefaultPosition, wxSize(800, 600));
    m_editor = new wxTextCtrl(m_frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize,
                              wxTE_MULTILINE | wxTE_RICH | wxTE_RICH2);
    m_gauge = new wxGauge(m_frame, wxID_ANY, 100);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_editor, 1, wxEXPAND);
    sizer->Add(m_gauge, 0, wxEXPAND);
    m_frame->SetSizer(sizer);
    m_frame->Show();
    pumpEvents();
  }
  ~EditorWindow() {
    m_frame->Destroy();
    pumpEvents();
  }
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  wxTextCtrl& editor() { return *m_editor; }
  wxGauge& gauge() { return *m_gauge; }

  // Replaces the text; clearing first makes an equal text load afresh.
  void setText(std::string_view bytes) {
    m_editor->Clear();
    m_editor->ChangeValue(fromCp1252(bytes));
  }

 private:
  wxFrame* m_frame;
  wxTextCtrl* m_editor;
  wxGauge* m_gauge;
};
