// The text buffer behind a multi-line rich text control, for the code of
// this folder that works on the buffer directly.
#pragma once

#include <gtk/gtk.h>
#include <wx/textctrl.h>

namespace verbolt {

inline GtkTextBuffer* textBufferOf(const wxTextCtrl& control) {
  return gtk_text_view_get_buffer(
      GTK_TEXT_VIEW(const_cast<wxTextCtrl&>(control).GetConnectWidget()));
}

}  // namespace verbolt
