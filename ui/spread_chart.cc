#include "ui/spread_chart.h"

#include <wx/dcclient.h>

#include <algorithm>

#include "highlight/editor_text.h"
#include "highlight/plan/palette.h"
#include "highlight/restyle.h"
#include "strings/localized_text.h"
#include "ui/localized.h"

namespace verbolt {

namespace {

constexpr Rgb kBaseline = {150, 150, 150};

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(SpreadChart, wxPanel)
  EVT_PAINT(SpreadChart::OnPaint)
  EVT_SIZE(SpreadChart::OnSize)
wxEND_EVENT_TABLE()
// clang-format on

SpreadChart::SpreadChart(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(-1, kHeight), wxNO_BORDER, "spread") {
  SetMinSize(wxSize(-1, kHeight));
  SetBackgroundStyle(wxBG_STYLE_PAINT);
}

int SpreadChart::Stretches() const { return std::max(GetClientSize().x / kBarWidth, 1); }

void SpreadChart::ShowMarked(const std::string& word, const std::vector<ColourRun>& runs,
                             long length) {
  m_starts = markedStarts(runs);
  m_length = length;
  m_spread.word = word;
  m_spread.count = static_cast<int>(m_starts.size());
  m_spread.counts = spreadCounts(m_starts, length, Stretches());
  Refresh();
}

void SpreadChart::OnSize(wxSizeEvent& event) {
  m_spread.counts = spreadCounts(m_starts, m_length, Stretches());
  Refresh();
  event.Skip();
}

void SpreadChart::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  dc.SetBackground(wxBrush(toWxColour(kWindowBackground)));
  dc.Clear();
  if (!ShowsAWord()) return;
  const wxString label =
      wxString::Format(localized(kStrSpreadCount), fromCp1252(m_spread.word), m_spread.count);
  dc.SetFont(GetFont().Smaller());
  dc.SetTextForeground(*wxBLACK);
  dc.DrawText(label, 3, 1);
  const int top = dc.GetCharHeight() + 4;
  const int bottom = BarsBottom();
  const int tallest = std::max(bottom - top, 1);
  const int most = std::max(1, *std::max_element(m_spread.counts.begin(), m_spread.counts.end(),
                                                 [](int a, int b) { return a < b; }));
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(toWxColour(activePalette().markedWithoutClass)));
  for (size_t i = 0; i < m_spread.counts.size(); ++i) {
    const int count = m_spread.counts[i];
    if (count == 0) continue;
    // One occurrence shows, however many the busiest stretch holds.
    const int height = std::max(2, tallest * count / most);
    dc.DrawRectangle(static_cast<int>(i) * kBarWidth, bottom - height, kBarWidth - 1, height);
  }
  dc.SetPen(wxPen(toWxColour(kBaseline)));
  dc.DrawLine(0, bottom, GetClientSize().x, bottom);
}

}  // namespace verbolt
