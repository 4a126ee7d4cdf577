// Backgrounds painted with the text buffer's own tags, the ones the
// control makes for a background colour. The control's style calls search
// the whole range of every call for the tags to take away; a text known to
// have no background needs none of that, which makes painting a whole
// analysis several times cheaper on real prose.
#pragma once

#include <vector>

#include "highlight/plan/paint_plan.h"

class wxTextCtrl;

namespace verbolt {

// Takes every background off the control: each character reads as white.
void removeBackgrounds(wxTextCtrl& control);

// Paints ascending, non-overlapping runs onto characters that have no
// background.
void paintOnBareText(wxTextCtrl& control, const std::vector<ColourRun>& runs);

// Paints ascending, non-overlapping runs over whatever backgrounds they
// cover; a white run takes the background away.
void repaintRuns(wxTextCtrl& control, const std::vector<ColourRun>& runs);

// Reads the colours of word occurrences, one after another, as a style
// query would report them.
class WordColours {
 public:
  explicit WordColours(wxTextCtrl& control);
  ~WordColours();
  WordColours(const WordColours&) = delete;
  WordColours& operator=(const WordColours&) = delete;

  // The colour of the occurrence [start, end): the background of its
  // second character, or of its only one. Unstyled characters, and
  // positions outside the text, read as white.
  Rgb of(long start, long end);

 private:
  struct Reader;
  Reader* m_reader;
};

}  // namespace verbolt
