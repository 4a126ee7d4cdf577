#include "highlight/background_map.h"

#include <gtk/gtk.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "highlight/known_backgrounds.h"
#include "highlight/plan/colour_runs.h"
#include "highlight/tag_backgrounds.h"
#include "highlight/text_buffer.h"

namespace verbolt {

BackgroundMap::BackgroundMap(wxTextCtrl& control) {
  if (const std::vector<ColourRun>* known = knownBackgrounds(control)) {
    m_runs = *known;
    return;
  }
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(textBufferOf(control), &start, &end);
  m_runs = backgroundRunsBetween(start, end);
  // Read once, they follow the edits from now on.
  BackgroundsPainting(control).read(m_runs);
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
  return backgroundRunsBetween(start, end);
}

Rgb BackgroundMap::at(long position) const { return colourAt(m_runs, position); }

}  // namespace verbolt
