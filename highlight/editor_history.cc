#include "highlight/editor_history.h"

#include <gtk/gtk.h>
#include <wx/textctrl.h>

#include "highlight/background_map.h"
#include "highlight/background_tags.h"
#include "highlight/editor_paste.h"
#include "highlight/plan/colour_runs.h"
#include "highlight/restyle.h"
#include "highlight/text_buffer.h"

namespace verbolt {

namespace {

GtkTextBuffer* asBuffer(void* buffer) { return static_cast<GtkTextBuffer*>(buffer); }

// The backgrounds of the characters [position, position + length), from
// the first of them.
std::vector<ColourRun> coloursOf(wxTextCtrl& editor, long position, long length) {
  std::vector<ColourRun> colours = backgroundRuns(editor, position, position + length);
  shiftRuns(colours, -position);
  return colours;
}

}  // namespace

struct EditorHistory::Signals {
  static void beginUserAction(GtkTextBuffer*, gpointer data) {
    auto* self = static_cast<EditorHistory*>(data);
    if (self->m_userActions++ == 0) self->m_history.BeginAction();
  }

  static void endUserAction(GtkTextBuffer*, gpointer data) {
    auto* self = static_cast<EditorHistory*>(data);
    if (self->m_userActions == 0) return;
    if (--self->m_userActions == 0) self->m_history.EndAction();
  }

  // Whether an edit is the writer's to record. An edit made outside the
  // writer's actions changes the text under the history, which starts
  // afresh; the history's own undo and redo are no new edits.
  static bool recording(EditorHistory& self) {
    if (self.m_applying) return false;
    if (self.m_userActions == 0) self.m_history.Forget();
    return self.m_userActions > 0;
  }

  // Runs before the buffer inserts: `location` is where the text goes.
  static void insertText(GtkTextBuffer*, GtkTextIter* location, gchar* text, gint bytes,
                         gpointer data) {
    auto* self = static_cast<EditorHistory*>(data);
    if (!recording(*self)) return;
    TextEdit edit;
    edit.inserted = true;
    edit.position = gtk_text_iter_get_offset(location);
    edit.length = g_utf8_strlen(text, bytes);
    edit.text.assign(text, static_cast<size_t>(bytes));
    self->m_history.Record(std::move(edit));
  }

  // Runs before the buffer deletes: the range still holds its text and
  // its colours.
  static void deleteRange(GtkTextBuffer* buffer, GtkTextIter* start, GtkTextIter* end,
                          gpointer data) {
    auto* self = static_cast<EditorHistory*>(data);
    if (!recording(*self)) return;
    TextEdit edit;
    edit.inserted = false;
    edit.position = gtk_text_iter_get_offset(start);
    edit.length = gtk_text_iter_get_offset(end) - edit.position;
    gchar* text = gtk_text_buffer_get_text(buffer, start, end, TRUE);
    edit.text = text;
    g_free(text);
    edit.colours = coloursOf(self->m_editor, edit.position, edit.length);
    self->m_history.Record(std::move(edit));
  }
};

EditorHistory::EditorHistory(wxTextCtrl& editor)
    : m_editor(editor), m_buffer(textBufferOf(editor)) {
  auto connect = [this](const char* signal, GCallback callback) {
    m_handlers.push_back(g_signal_connect(m_buffer, signal, callback, this));
  };
  connect("begin-user-action", G_CALLBACK(Signals::beginUserAction));
  connect("end-user-action", G_CALLBACK(Signals::endUserAction));
  connect("insert-text", G_CALLBACK(Signals::insertText));
  connect("delete-range", G_CALLBACK(Signals::deleteRange));
}

EditorHistory::~EditorHistory() {
  for (unsigned long handler : m_handlers) g_signal_handler_disconnect(m_buffer, handler);
}

EditorHistory::WritersAction::WritersAction(EditorHistory& history) : m_history(history) {
  gtk_text_buffer_begin_user_action(asBuffer(m_history.m_buffer));
}

EditorHistory::WritersAction::~WritersAction() {
  gtk_text_buffer_end_user_action(asBuffer(m_history.m_buffer));
}

void EditorHistory::Undo() {
  m_history.Undo([this](EditStep& step) {
    for (auto edit = step.rbegin(); edit != step.rend(); ++edit) Revert(*edit);
  });
}

void EditorHistory::Redo() {
  m_history.Redo([this](EditStep& step) {
    for (TextEdit& edit : step) Make(edit);
  });
}

void EditorHistory::Revert(TextEdit& edit) {
  if (edit.inserted) {
    Remove(edit);
  } else {
    Insert(edit);
  }
}

void EditorHistory::Make(TextEdit& edit) {
  if (edit.inserted) {
    Insert(edit);
  } else {
    Remove(edit);
  }
}

void EditorHistory::Insert(const TextEdit& edit) {
  GtkTextIter at;
  gtk_text_buffer_get_iter_at_offset(asBuffer(m_buffer), &at, static_cast<gint>(edit.position));
  m_applying = true;
  gtk_text_buffer_insert(asBuffer(m_buffer), &at, edit.text.data(),
                         static_cast<gint>(edit.text.size()));
  m_applying = false;
  std::vector<ColourRun> colours = edit.colours;
  shiftRuns(colours, edit.position);
  // Text the buffer takes in has no background yet.
  paintOnBareText(m_editor, colours);
  // As with a paste: following the caret to the end of a long text put
  // back would lay out every line above it first.
  PlaceCaret(edit.position + edit.length,
             edit.length <= kPasteFollowedUpTo ? edit.position + edit.length : edit.position);
}

// The control's own caret setter scrolls to the caret, wherever it is.
void EditorHistory::PlaceCaret(long caret, long shown) {
  GtkTextIter iter;
  gtk_text_buffer_get_iter_at_offset(asBuffer(m_buffer), &iter, static_cast<gint>(caret));
  gtk_text_buffer_place_cursor(asBuffer(m_buffer), &iter);
  m_editor.ShowPosition(shown);
}

// The text taken out keeps its colours in the edit, for when it comes back.
void EditorHistory::Remove(TextEdit& edit) {
  edit.colours = coloursOf(m_editor, edit.position, edit.length);
  GtkTextIter start, end;
  gtk_text_buffer_get_iter_at_offset(asBuffer(m_buffer), &start, static_cast<gint>(edit.position));
  gtk_text_buffer_get_iter_at_offset(asBuffer(m_buffer), &end,
                                     static_cast<gint>(edit.position + edit.length));
  m_applying = true;
  gtk_text_buffer_delete(asBuffer(m_buffer), &start, &end);
  m_applying = false;
  PlaceCaret(edit.position, edit.position);
}

}  // namespace verbolt
