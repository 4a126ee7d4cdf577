// Helpers for tests that drive real windows under the toolkit that
// gui_test_main starts.
#pragma once

#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdio>
#include <ostream>
#include <string_view>
#include <thread>
#include <vector>

#include "highlight/editor_text.h"
#include "highlight/plan/colours.h"
#include "highlight/plan/paint_plan.h"
#include "test_support/test_support.h"

namespace verbolt {

// A run as a failed comparison shows it: "[3, 7) ffff8c".
inline void PrintTo(const ColourRun& run, std::ostream* out) {
  char colour[8];
  std::snprintf(colour, sizeof colour, "%02x%02x%02x", run.colour.red, run.colour.green,
                run.colour.blue);
  *out << "[" << run.start << ", " << run.end << ") " << colour;
}

// The application object the window tests run in; each test program
// gives its own.
wxApp* makeTestApp();

// Lets the toolkit handle its events until `done()` holds, for at most
// `timeoutMilliseconds`. True when it came to hold.
template <typename Condition>
bool waitFor(Condition done, int timeoutMilliseconds = 3000) {
  return test_support::waitFor(done, std::chrono::milliseconds(timeoutMilliseconds), [] {
    wxTheApp->Yield(true);
    wxTheApp->ProcessPendingEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  });
}

// Lets the toolkit handle everything it has queued (drawing, layout,
// scrolling) until its queue stays empty. False when it never did.
inline bool settle(int timeoutMilliseconds = 3000) {
  int quietChecks = 0;
  return waitFor(
      [&] {
        const bool quiet = !wxTheApp->Pending() && !wxTheApp->HasPendingEvents();
        quietChecks = quiet ? quietChecks + 1 : 0;
        return quietChecks >= 3;
      },
      timeoutMilliseconds);
}

// Counts a GTK signal into the int it is given, letting the other handlers
// of the signal run as well.
inline gboolean countSignal(int* count) {
  ++*count;
  return FALSE;
}

// Shows a top-level window and waits until the X server has mapped it:
// only then does what GTK draws reach the screen.
inline bool showOnScreen(wxWindow& toplevel) {
  int maps = 0;
  GtkWidget* widget = toplevel.GetHandle();
  const gulong handler =
      g_signal_connect_swapped(widget, "map-event", G_CALLBACK(countSignal), &maps);
  toplevel.Show(true);
  const bool mapped = waitFor([&] { return maps > 0; });
  g_signal_handler_disconnect(widget, handler);
  return mapped;
}

// Asks GTK to draw `window` afresh and waits until it has: what the screen
// shows of it is then its present state.
inline bool drawn(wxWindow& window) {
  int draws = 0;
  GtkWidget* widget = window.GetHandle();
  const gulong handler = g_signal_connect_swapped(widget, "draw", G_CALLBACK(countSignal), &draws);
  gtk_widget_queue_draw(widget);
  const bool done = waitFor([&] { return draws > 0; });
  g_signal_handler_disconnect(widget, handler);
  return done;
}

// Destroys a top-level window and waits until it is gone.
inline void destroyAndWait(wxWindow* window) {
  window->Destroy();
  waitFor([window] { return !wxTopLevelWindows.Find(window); });
}

// The background colour of the character at `position`, white when it has
// none.
inline Rgb backgroundAt(wxTextCtrl& control, long position) {
  wxTextAttr style;
  if (!control.GetStyle(position, style) || !style.HasBackgroundColour()) return kWhite;
  const wxColour colour = style.GetBackgroundColour();
  return {colour.Red(), colour.Green(), colour.Blue()};
}

// The pixels of a rectangle of the screen, row by row.
inline std::vector<Rgb> screenPixels(const wxRect& area) {
  std::vector<Rgb> pixels;
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), area.x, area.y,
                                               area.width, area.height);
  if (!shot) return pixels;
  const int channels = gdk_pixbuf_get_n_channels(shot);
  const int stride = gdk_pixbuf_get_rowstride(shot);
  const guchar* data = gdk_pixbuf_get_pixels(shot);
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      const guchar* p = data + y * stride + x * channels;
      pixels.push_back({p[0], p[1], p[2]});
    }
  }
  g_object_unref(shot);
  return pixels;
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
    showOnScreen(*m_frame);
  }
  ~EditorWindow() { destroyAndWait(m_frame); }
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

}  // namespace verbolt
