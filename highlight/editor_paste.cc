#include "highlight/editor_paste.h"

#include <gtk/gtk.h>
#include <wx/textctrl.h>

namespace {

void insertPasted(GtkClipboard*, const gchar* text, gpointer data) {
  auto* view = static_cast<GtkTextView*>(data);
  if (text && gtk_widget_get_realized(GTK_WIDGET(view))) {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(view);
    const gboolean editable = gtk_text_view_get_editable(view);
    gtk_text_buffer_begin_user_action(buffer);
    gtk_text_buffer_delete_selection(buffer, TRUE, editable);
    gtk_text_buffer_insert_interactive_at_cursor(buffer, text, -1, editable);
    gtk_text_buffer_end_user_action(buffer);
    if (g_utf8_strlen(text, -1) <= kPasteFollowedUpTo) {
      gtk_text_view_scroll_mark_onscreen(view, gtk_text_buffer_get_insert(buffer));
    }
  }
  g_object_unref(view);
}

void pasteClipboard(GtkTextView* view, gpointer) {
  g_signal_stop_emission_by_name(view, "paste-clipboard");
  GtkClipboard* clipboard = gtk_widget_get_clipboard(GTK_WIDGET(view), GDK_SELECTION_CLIPBOARD);
  // The text comes later; the view is kept alive until then.
  gtk_clipboard_request_text(clipboard, insertPasted, g_object_ref(view));
}

}  // namespace

void takeOverPaste(wxTextCtrl& editor) {
  g_signal_connect(editor.GetConnectWidget(), "paste-clipboard", G_CALLBACK(pasteClipboard),
                   nullptr);
}
