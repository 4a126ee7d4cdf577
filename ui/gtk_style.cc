#include "ui/gtk_style.h"

#include <gtk/gtk.h>
#include <wx/gauge.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include <string>

namespace verbolt {

namespace {

void applyStyleSheet(GtkWidget* widget, const std::string& css) {
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(provider),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
}

}  // namespace

void setToolBarBackground(wxToolBar& bar, Rgb colour) {
  applyStyleSheet(GTK_WIDGET(bar.GTKGetToolbar()),
                  "toolbar { background: rgb(" + std::to_string(colour.red) + "," +
                      std::to_string(colour.green) + "," + std::to_string(colour.blue) + "); }");
}

void fillGaugeHeight(wxGauge& gauge) {
  const int height = gauge.GetSize().y;
  applyStyleSheet(gauge.GetHandle(), "progressbar trough, progressbar progress { min-height: " +
                                         std::to_string(height - 2) + "px; }");
}

void hangWrappedLines(wxTextCtrl& control, int indent) {
  GtkTextView* view = GTK_TEXT_VIEW(control.GetConnectWidget());
  gtk_text_view_set_indent(view, -indent);
}

}  // namespace verbolt
