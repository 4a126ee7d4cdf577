#include "ui/frame_about.h"

#include <wx/font.h>
#include <wx/hyperlink.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "highlight/editor_text.h"
#include "strings/localized_text.h"
#include "ui/dialogs.h"
#include "ui/ids.h"
#include "ui/localized.h"

namespace verbolt {

const char kVersionText[] = "v2.029";

// clang-format off
wxBEGIN_EVENT_TABLE(FrameAbout, wxDialog)
  EVT_HYPERLINK(wxID_ANY, FrameAbout::OnLink)
wxEND_EVENT_TABLE()
// clang-format on

FrameAbout::FrameAbout()
    : wxDialog(nullptr, wxID_ANY, localized(kStrAboutTitle), wxPoint(50, 50), wxSize(350, 200),
               wxDEFAULT_DIALOG_STYLE, "dialog") {
  wxFont font(10, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL);

  auto* text =
      new wxStaticText(this, wxID_ANY, wxString::Format(localized(kStrAboutText), kVersionText),
                       wxDefaultPosition, wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL, "staticText");
  text->SetFont(font);

  wxString site = localized(kStrSiteAddress);
  auto* link = new wxHyperlinkCtrl(this, wxID_ANY, site, site, wxDefaultPosition, wxDefaultSize,
                                   wxHL_DEFAULT_STYLE, "hyperlink");
  link->SetFont(font);

  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(text, 0, wxEXPAND);
  sizer->Add(link, 0, wxEXPAND);
  // A Close button, which Escape and Enter press too.
  sizer->Add(CreateStdDialogButtonSizer(wxCLOSE), 0, wxEXPAND | wxALL, 8);
  SetAffirmativeId(wxID_CLOSE);
  SetEscapeId(wxID_CLOSE);
  SetSizerAndFit(sizer);
  Centre(wxBOTH);
}

FrameAbout::~FrameAbout() = default;

void FrameAbout::OnLink(wxHyperlinkEvent& event) { openInBrowser(event.GetURL()); }

}  // namespace verbolt
