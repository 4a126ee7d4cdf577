// The editor's backgrounds as this program painted them, kept on the
// control's text buffer while nothing else touches it: reading them back
// from the buffer costs a click on a novel more than the marking itself.
// They follow the edits of the text, typed or pasted text taking the
// backgrounds the buffer gave it; any background tag that other code
// applies or removes forgets them, and the next painting that clears every
// background knows them again.
#pragma once

#include <vector>

#include "highlight/plan/paint_plan.h"

class wxTextCtrl;

namespace verbolt {
struct KeptBackgrounds;

// The kept backgrounds as maximal runs, white left out, ascending; null
// when they are not known.
const std::vector<ColourRun>* knownBackgrounds(wxTextCtrl& control);

// Painting the control's backgrounds: while one lives, the tags it applies
// and removes do not forget the kept backgrounds, and it tells them what it
// painted.
class BackgroundsPainting {
 public:
  explicit BackgroundsPainting(wxTextCtrl& control);
  ~BackgroundsPainting();
  BackgroundsPainting(const BackgroundsPainting&) = delete;
  BackgroundsPainting& operator=(const BackgroundsPainting&) = delete;

  // Every background has been taken away.
  void cleared();
  // The whole buffer has been read, and shows `runs`.
  void read(const std::vector<ColourRun>& runs);
  // `runs`, ascending and within the text, have been painted over what was
  // there; a white run has taken the background away.
  void painted(const std::vector<ColourRun>& runs);

 private:
  void* m_buffer;
  KeptBackgrounds* m_kept;
};

}  // namespace verbolt
