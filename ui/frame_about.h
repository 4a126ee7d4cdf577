// The About box: product name, version, credits and a link to the web site.
#pragma once

#include <wx/dialog.h>
#include <wx/hyperlink.h>

namespace verbolt {

class FrameAbout : public wxDialog {
 public:
  FrameAbout();
  ~FrameAbout() override;

 private:
  // The link opens the site through the program's quiet browser launch.
  void OnLink(wxHyperlinkEvent& event);

  wxDECLARE_EVENT_TABLE();
};

// The version the About box shows.
extern const char kVersionText[];

}  // namespace verbolt
