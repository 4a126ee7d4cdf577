// Under the Top-100, while a word is marked: where its occurrences fall
// through the text, one bar a stretch of the text, with their count. A
// word spread evenly shows a low even row of bars; one bunched in a
// chapter, a few tall ones. Its place stays taken while nothing is marked:
// were the Top-100 to shrink at a click, the line of the word it has just
// brought into view would slip out of it.
#pragma once

#include <wx/panel.h>

#include "highlight/plan/spread.h"

namespace verbolt {

class SpreadChart : public wxPanel {
 public:
  explicit SpreadChart(wxWindow* parent);

  // Shows where the marked words of `runs` fall in a text of `length`
  // characters, under the name `word`; stays blank when none is marked.
  void ShowMarked(const std::string& word, const std::vector<ColourRun>& runs, long length);
  const WordSpread& Spread() const { return m_spread; }
  bool ShowsAWord() const { return m_spread.count > 0 && !m_spread.word.empty(); }

  // The bars are this wide, and as many as the width holds.
  static constexpr int kBarWidth = 3;
  static constexpr int kHeight = 60;
  int Stretches() const;
  // Where the bars stand: their bottom row and the tallest one's height.
  int BarsBottom() const { return GetClientSize().y - 3; }

 private:
  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);

  WordSpread m_spread;
  std::vector<long> m_starts;
  long m_length = 0;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace verbolt
