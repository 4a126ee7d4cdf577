#include "highlight/editor_paste.h"

#include <gtk/gtk.h>
#include <wx/textctrl.h>

namespace verbolt {

namespace {

void insertPasted(GtkClipboard*, const gchar* text, gpointer data) {
  auto* view = static_cast<GtkTextView*>(data);
  if (text && gtk_widget_get_realized(GTK_WIDGET(view))) {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(view);
    const gboolean editable = gtk_text_view_get_editable(view);
    gtk_text_buffer_begin_user_action(buffer);
    gtk_text_buffer_delete_selection(buffer, TRUE, editable);
    GtkTextIter start;
    gtk_text_buffer_get_iter_at_mark(buffer, &start, gtk_text_buffer_get_insert(buffer));
    const gint startOffset = gtk_text_iter_get_offset(&start);
    gtk_text_buffer_insert_interactive_at_cursor(buffer, text, -1, editable);
    gtk_text_buffer_end_user_action(buffer);
    if (g_utf8_strlen(text, -1) <= kPasteFollowedUpTo) {
      gtk_text_view_scroll_mark_onscreen(view, gtk_text_buffer_get_insert(buffer));
    } else {
      // A caret left at the end would bring the end into view at the next
      // key, and the toolkit lays out every line above it first.
      gtk_text_buffer_get_iter_at_offset(buffer, &start, startOffset);
      gtk_text_buffer_place_cursor(buffer, &start);
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

}  // namespace verbolt
