#include "ui/number_field.h"

#include <gtk/gtk.h>

namespace verbolt {

namespace {

// The theme's entry padding would leave room for fewer digits than the
// field is meant to show; keep a slim margin instead.
void useSlimPadding(wxWindow& field) {
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, "entry { padding: 0 2px; min-height: 0; }", -1, nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(field.GetHandle()),
                                 GTK_STYLE_PROVIDER(css), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(NumberField, wxTextCtrl)
  EVT_CHAR(NumberField::OnChar)
wxEND_EVENT_TABLE()
// clang-format on

NumberField::NumberField(wxWindow* parent, int maxTypedChars)
    : wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition,
                 wxSize(8 * maxTypedChars + 8, 17)),
      m_maxTypedChars(maxTypedChars) {
  useSlimPadding(*this);
}

void NumberField::OnChar(wxKeyEvent& event) {
  bool typesACharacter = event.GetUnicodeKey() >= WXK_SPACE && !event.ControlDown() &&
                         !event.AltDown() && event.GetKeyCode() != WXK_DELETE;
  long from = 0, to = 0;
  GetSelection(&from, &to);
  long lengthAfter = GetLastPosition() - (to - from) + 1;
  if (typesACharacter && lengthAfter > m_maxTypedChars) return;  // refused, as a full field does
  event.Skip();
}

}  // namespace verbolt
