#include "highlight/background_map.h"

#include <gtk/gtk.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "highlight/known_backgrounds.h"
#include "highlight/plan/colour_runs.h"
#include "highlight/tag_backgrounds.h"
#include "highlight/text_buffer.h"

namespace verbolt {

namespace {

// Maximal runs of one background between two iterators, white left out.
std::vector<ColourRun> runsBetween(GtkTextIter iter, const GtkTextIter& end) {
  std::vector<ColourRun> runs;
  TagBackgrounds backgrounds;
  while (gtk_text_iter_compare(&iter, &end) < 0) {
    GtkTextIter next = iter;
    gtk_text_iter_forward_to_tag_toggle(&next, nullptr);
    if (gtk_text_iter_compare(&next, &end) > 0) next = end;
    const Rgb colour = backgrounds.at(iter);
    const int start = gtk_text_iter_get_offset(&iter);
    const int stop = gtk_text_iter_get_offset(&next);
    if (colour != kWhite) {
      if (!runs.empty() && runs.back().end == start && runs.back().colour == colour) {
        runs.back().end = stop;
      } else {
        runs.push_back({start, stop, colour});
      }
    }
    iter = next;
  }
  return runs;
}

}  // namespace

BackgroundMap::BackgroundMap(wxTextCtrl& control) {
  if (const std::vector<ColourRun>* known = knownBackgrounds(control)) {
    m_runs = *known;
    return;
  }
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(textBufferOf(control), &start, &end);
  m_runs = runsBetween(start, end);
}

std::vector<ColourRun> backgroundRuns(wxTextCtrl& control, long from, long to) {
  if (const std::vector<ColourRun>* known = knownBackgrounds(control)) {
    return runsWithin(*known, from, to);
  }
  return readBackgroundRuns(control, from, to);
}

std::vector<ColourRun> readBackgroundRuns(wxTextCtrl& control, long from, long to) {
  GtkTextBuffer* buffer = textBufferOf(control);
  GtkTextIter start, end;
  gtk_text_buffer_get_iter_at_offset(buffer, &start, static_cast<gint>(from));
  gtk_text_buffer_get_iter_at_offset(buffer, &end, static_cast<gint>(to));
  return runsBetween(start, end);
}

Rgb BackgroundMap::at(long position) const { return colourAt(m_runs, position); }

}  // namespace verbolt
