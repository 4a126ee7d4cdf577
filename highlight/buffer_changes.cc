#include "highlight/buffer_changes.h"

#include <gtk/gtk.h>

#include <utility>

#include "highlight/text_buffer.h"

namespace verbolt {

struct BufferChanges::Signals {
  // Both run before the buffer changes: the positions are those of the
  // text before the edit.
  static void inserted(GtkTextBuffer*, GtkTextIter* location, gchar* text, gint bytes,
                       gpointer data) {
    auto* self = static_cast<BufferChanges*>(data);
    self->m_listener(gtk_text_iter_get_offset(location), 0,
                     std::string_view(text, static_cast<size_t>(bytes)));
  }

  static void deleted(GtkTextBuffer*, GtkTextIter* start, GtkTextIter* end, gpointer data) {
    auto* self = static_cast<BufferChanges*>(data);
    const long from = gtk_text_iter_get_offset(start);
    self->m_listener(from, gtk_text_iter_get_offset(end) - from, {});
  }
};

BufferChanges::BufferChanges(wxTextCtrl& editor, Listener listener)
    : m_buffer(textBufferOf(editor)),
      m_listener(std::move(listener)),
      m_inserted(g_signal_connect(m_buffer, "insert-text", G_CALLBACK(Signals::inserted), this)),
      m_deleted(g_signal_connect(m_buffer, "delete-range", G_CALLBACK(Signals::deleted), this)) {}

BufferChanges::~BufferChanges() {
  g_signal_handler_disconnect(m_buffer, m_inserted);
  g_signal_handler_disconnect(m_buffer, m_deleted);
}

std::string bufferText(const wxTextCtrl& editor) {
  GtkTextBuffer* buffer = textBufferOf(editor);
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, TRUE);
  std::string utf8(text);
  g_free(text);
  return utf8;
}

long caretPosition(const wxTextCtrl& editor) {
  GtkTextBuffer* buffer = textBufferOf(editor);
  GtkTextIter caret;
  gtk_text_buffer_get_iter_at_mark(buffer, &caret, gtk_text_buffer_get_insert(buffer));
  return gtk_text_iter_get_offset(&caret);
}

}  // namespace verbolt
