#include "ui/overview_strip.h"

#include <gtk/gtk.h>
#include <wx/dcclient.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "highlight/painted_runs.h"
#include "highlight/restyle.h"

namespace verbolt {

namespace {

// A mark is drawn at least this tall, however little text it stands for:
// a writer must see it and hit it.
constexpr int kLeastMarkHeight = 4;
constexpr Rgb kStripBackground = {250, 250, 250};
constexpr Rgb kFrameColour = {90, 90, 90};

GtkTextView* textViewOf(wxTextCtrl& editor) { return GTK_TEXT_VIEW(editor.GetConnectWidget()); }

// Darker by a third: the outline that keeps a pale colour visible on white.
wxColour outlineOf(Rgb colour) {
  return wxColour(colour.red * 2 / 3, colour.green * 2 / 3, colour.blue * 2 / 3);
}

void refreshStrip(GtkAdjustment*, gpointer strip) { static_cast<wxWindow*>(strip)->Refresh(); }

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(OverviewStrip, wxPanel)
  EVT_PAINT(OverviewStrip::OnPaint)
  EVT_LEFT_DOWN(OverviewStrip::OnMouse)
  EVT_MOTION(OverviewStrip::OnMouse)
  EVT_LEFT_UP(OverviewStrip::OnMouse)
  EVT_MOUSE_CAPTURE_LOST(OverviewStrip::OnCaptureLost)
  EVT_SIZE(OverviewStrip::OnSize)
wxEND_EVENT_TABLE()
// clang-format on

OverviewStrip::OverviewStrip(wxWindow* parent, wxTextCtrl& editor)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(kWidth, -1), wxNO_BORDER, "overview"),
      m_editor(editor) {
  SetMinSize(wxSize(kWidth, -1));
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetCursor(wxCursor(wxCURSOR_HAND));
  m_runs = std::make_unique<PaintedRuns>(editor, [this] { Changed(); });
  m_scroll = g_object_ref(gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(textViewOf(editor))));
  m_scrolled = g_signal_connect(m_scroll, "value-changed", G_CALLBACK(refreshStrip), this);
  UpdateMarks();
}

// The editor, made first, is destroyed first: what the strip holds of it
// is kept alive by references of its own.
OverviewStrip::~OverviewStrip() {
  g_signal_handler_disconnect(m_scroll, m_scrolled);
  g_object_unref(m_scroll);
}

void OverviewStrip::SetWanted(bool wanted) {
  m_wanted = wanted;
  ShowOrHide();
}

// Many changes come in a row (a whole analysis painted run by run): one
// update once they are over.
void OverviewStrip::Changed() {
  if (m_updateAsked) return;
  m_updateAsked = true;
  CallAfter([this] {
    if (m_updateAsked) UpdateMarks();
  });
}

void OverviewStrip::UpdateMarks() {
  m_updateAsked = false;
  const int rows = std::max(GetClientSize().y, 1);
  const std::vector<ColourRun>& runs = m_runs->Runs();
  m_marks = overviewMarks(runs, m_editor.GetLastPosition(), rows, activePalette());
  if (m_runsListener) m_runsListener(runs);
  ShowOrHide();
  Refresh();
}

void OverviewStrip::ShowOrHide() {
  const bool show = m_wanted && !m_marks.empty();
  if (show == IsShown()) return;
  Show(show);
  GetParent()->Layout();
}

std::pair<int, int> OverviewStrip::VisibleRows() const {
  const long length = m_editor.GetLastPosition();
  const int rows = std::max(GetClientSize().y, 1);
  const wxSize view = m_editor.GetClientSize();
  long first = 0;
  long last = length;
  m_editor.HitTest(wxPoint(0, 0), &first);
  m_editor.HitTest(wxPoint(view.x - 1, view.y - 1), &last);
  return {rowOf(first, length, rows), rowOf(std::max(first, last), length, rows)};
}

void OverviewStrip::ScrollToRow(int row) {
  const long length = m_editor.GetLastPosition();
  const long position = positionAtRow(row, length, std::max(GetClientSize().y, 1));
  GtkTextView* view = textViewOf(m_editor);
  GtkTextIter iter;
  gtk_text_buffer_get_iter_at_offset(gtk_text_view_get_buffer(view), &iter,
                                     static_cast<gint>(position));
  // The place clicked comes to the middle of the editor.
  gtk_text_view_scroll_to_iter(view, &iter, 0.0, TRUE, 0.0, 0.5);
}

// The strip keeps the mouse while the button is down: a drag goes on
// scrolling when the pointer strays off its narrow width.
void OverviewStrip::OnMouse(wxMouseEvent& event) {
  if (event.LeftDown()) {
    if (!HasCapture()) CaptureMouse();
    ScrollToRow(event.GetPosition().y);
  } else if (event.Dragging() && event.LeftIsDown() && HasCapture()) {
    ScrollToRow(event.GetPosition().y);
  } else if (event.LeftUp() && HasCapture()) {
    ReleaseMouse();
  }
  event.Skip();
}

void OverviewStrip::OnCaptureLost(wxMouseCaptureLostEvent&) {}

void OverviewStrip::OnSize(wxSizeEvent& event) {
  Changed();
  event.Skip();
}

void OverviewStrip::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetBackground(wxBrush(toWxColour(kStripBackground)));
  dc.Clear();
  for (const StripMark& mark : m_marks) {
    int top = mark.first;
    int height = mark.last - mark.first + 1;
    // The outline around, the colour on the rows of the mark.
    top -= 1;
    height += 2;
    if (height < kLeastMarkHeight) height = kLeastMarkHeight;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(outlineOf(mark.colour)));
    dc.DrawRectangle(2, top, size.x - 4, height);
    dc.SetBrush(wxBrush(toWxColour(mark.colour)));
    dc.DrawRectangle(3, top + 1, size.x - 6, height - 2);
  }
  const auto [first, last] = VisibleRows();
  dc.SetPen(wxPen(toWxColour(kFrameColour)));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(0, first, size.x, std::max(last - first + 1, 2));
}

}  // namespace verbolt
