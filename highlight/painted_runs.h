// The editor's backgrounds as runs, followed through every repaint and
// every edit for a view that shows all of them at once (the overview
// strip). While the kept backgrounds are known they are the answer; after
// an edit has made them forgotten, the last answer is moved with the edit
// and what is painted since is laid over it, so the buffer is not read
// again for a keystroke or a recoloured paragraph.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "highlight/plan/paint_plan.h"

class wxTextCtrl;

namespace verbolt {

class BufferChanges;

class PaintedRuns {
 public:
  // `changed` is called at every change of a background or of the text,
  // often many times in a row: it should only ask for a later Runs().
  PaintedRuns(wxTextCtrl& editor, std::function<void()> changed);
  ~PaintedRuns();
  PaintedRuns(const PaintedRuns&) = delete;
  PaintedRuns& operator=(const PaintedRuns&) = delete;

  // Maximal runs, white left out, ascending, as the editor shows them now.
  const std::vector<ColourRun>& Runs();

  struct Signals;

 private:
  // Lays what was painted since the last answer over it.
  void Catch();

  wxTextCtrl& m_editor;
  std::function<void()> m_changed;
  std::vector<ColourRun> m_runs;
  // Painted since m_runs was brought up to date, in order; a white run
  // took a background away.
  std::vector<ColourRun> m_painted;
  bool m_tooMuchPainted = false;
  std::unique_ptr<BufferChanges> m_edits;
  void* m_buffer;
  unsigned long m_applied;
  unsigned long m_removed;
};

}  // namespace verbolt
