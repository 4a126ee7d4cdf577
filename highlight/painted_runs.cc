#include "highlight/painted_runs.h"

#include <gtk/gtk.h>
#include <wx/textctrl.h>

#include "highlight/background_map.h"
#include "highlight/buffer_changes.h"
#include "highlight/known_backgrounds.h"
#include "highlight/plan/colour_runs.h"
#include "highlight/tag_backgrounds.h"
#include "highlight/text_buffer.h"

namespace verbolt {

namespace {

// Past this many paintings since the last answer, reading the buffer once
// costs less than laying each over the runs.
constexpr size_t kMostPaintings = 256;

}  // namespace

struct PaintedRuns::Signals {
  static void tag(PaintedRuns* self, GtkTextTag* tag, GtkTextIter* start, GtkTextIter* end,
                  bool applied) {
    if (self->m_tooMuchPainted) {
      self->m_changed();
      return;
    }
    TagBackgrounds backgrounds;
    if (!backgrounds.setsBackground(tag)) return;
    if (self->m_painted.size() >= kMostPaintings) {
      self->m_tooMuchPainted = true;
      self->m_painted.clear();
    } else {
      const Rgb colour = applied ? backgrounds.at(*start) : kWhite;
      self->m_painted.push_back(
          {gtk_text_iter_get_offset(start), gtk_text_iter_get_offset(end), colour});
    }
    self->m_changed();
  }
  static void applied(GtkTextBuffer*, GtkTextTag* tag, GtkTextIter* start, GtkTextIter* end,
                      gpointer self) {
    Signals::tag(static_cast<PaintedRuns*>(self), tag, start, end, true);
  }
  static void removed(GtkTextBuffer*, GtkTextTag* tag, GtkTextIter* start, GtkTextIter* end,
                      gpointer self) {
    Signals::tag(static_cast<PaintedRuns*>(self), tag, start, end, false);
  }
};

PaintedRuns::PaintedRuns(wxTextCtrl& editor, std::function<void()> changed)
    : m_editor(editor), m_changed(std::move(changed)), m_buffer(textBufferOf(editor)) {
  // The editor may go first when the window closes: its buffer stays until
  // the handlers are let go.
  g_object_ref(m_buffer);
  m_runs = BackgroundMap(editor).runs();
  m_edits = std::make_unique<BufferChanges>(editor, [this](long at, long removed,
                                                           std::string_view inserted) {
    Catch();
    m_runs = runsAfterEdit(
        m_runs, at, removed,
        static_cast<long>(g_utf8_strlen(inserted.data(), static_cast<gssize>(inserted.size()))));
    m_changed();
  });
  // After the default handler: the tag is on the text, or off it.
  m_applied = g_signal_connect_after(m_buffer, "apply-tag", G_CALLBACK(Signals::applied), this);
  m_removed = g_signal_connect_after(m_buffer, "remove-tag", G_CALLBACK(Signals::removed), this);
}

PaintedRuns::~PaintedRuns() {
  g_signal_handler_disconnect(m_buffer, m_applied);
  g_signal_handler_disconnect(m_buffer, m_removed);
  m_edits.reset();
  g_object_unref(m_buffer);
}

void PaintedRuns::Catch() {
  if (const std::vector<ColourRun>* known = knownBackgrounds(m_editor)) {
    m_runs = *known;
  } else if (m_tooMuchPainted) {
    m_runs = BackgroundMap(m_editor).runs();
  } else {
    for (const ColourRun& run : m_painted) paintOver(m_runs, {run});
  }
  m_painted.clear();
  m_tooMuchPainted = false;
}

const std::vector<ColourRun>& PaintedRuns::Runs() {
  Catch();
  return m_runs;
}

}  // namespace verbolt
