// The overview strip between the editor and the Top-100: the whole text
// from top to bottom, each coloured run a mark at its place in its colour,
// the part on screen framed. A click brings that part of the text into
// view; dragging scrolls. The marks come from the runs the editor keeps,
// brought up to date once the toolkit is idle after any change.
#pragma once

#include <wx/panel.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "highlight/plan/overview_marks.h"

class wxTextCtrl;

namespace verbolt {

class PaintedRuns;

class OverviewStrip : public wxPanel {
 public:
  OverviewStrip(wxWindow* parent, wxTextCtrl& editor);
  ~OverviewStrip() override;

  // The writer's choice in the View menu; the strip shows only when it is
  // wanted and the text has a colour.
  void SetWanted(bool wanted);
  bool IsWanted() const { return m_wanted; }

  // Works out the marks now instead of at the next idle time.
  void UpdateMarks();
  const std::vector<StripMark>& Marks() const { return m_marks; }
  // Tells `listener` the editor's runs at every update of the marks.
  void OnRunsChanged(std::function<void(const std::vector<ColourRun>&)> listener) {
    m_runsListener = std::move(listener);
  }
  // The rows of the text on screen, first and last.
  std::pair<int, int> VisibleRows() const;

  static constexpr int kWidth = 12;

 private:
  void Changed();
  void ShowOrHide();
  void ScrollToRow(int row);
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);
  void OnSize(wxSizeEvent& event);

  wxTextCtrl& m_editor;
  std::unique_ptr<PaintedRuns> m_runs;
  std::vector<StripMark> m_marks;
  std::function<void(const std::vector<ColourRun>&)> m_runsListener;
  bool m_wanted = true;
  bool m_updateAsked = false;
  void* m_scroll;  // the editor's GtkAdjustment, kept while the strip lives
  unsigned long m_scrolled = 0;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace verbolt
