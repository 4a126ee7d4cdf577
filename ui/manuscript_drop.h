// A file dropped on the window or the editor opens as a manuscript.
#pragma once

#include <wx/dnd.h>

namespace verbolt {

class FrameMain;

class ManuscriptDropTarget : public wxFileDropTarget {
 public:
  explicit ManuscriptDropTarget(FrameMain& frame) : m_frame(frame) {}
  bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

 private:
  FrameMain& m_frame;
};

}  // namespace verbolt
