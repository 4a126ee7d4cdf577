#include "highlight/known_backgrounds.h"

#include <gtk/gtk.h>
#include <wx/textctrl.h>

#include "highlight/plan/colour_runs.h"
#include "highlight/tag_backgrounds.h"
#include "highlight/text_buffer.h"

namespace verbolt {

struct KeptBackgrounds {
  bool known = false;
  std::vector<ColourRun> runs;
};

namespace {

using Kept = KeptBackgrounds;

constexpr char kKeptKey[] = "verbolt-known-backgrounds";

void forget(Kept* kept) {
  kept->known = false;
  kept->runs = {};
}

// Typed or pasted text shows what the buffer gave it, read back; the
// runs after it move on.
void followInsert(GtkTextBuffer*, GtkTextIter* location, gchar* text, gint bytes, gpointer data) {
  auto* kept = static_cast<Kept*>(data);
  if (!kept->known) return;
  const long length = g_utf8_strlen(text, bytes);
  GtkTextIter start = *location;
  gtk_text_iter_backward_chars(&start, static_cast<gint>(length));
  std::vector<ColourRun> inserted = backgroundRunsBetween(start, *location);
  const long position = gtk_text_iter_get_offset(&start);
  shiftRuns(inserted, -position);
  insertIntoRuns(kept->runs, position, length, inserted);
}

void followDelete(GtkTextBuffer*, GtkTextIter* start, GtkTextIter* end, gpointer data) {
  auto* kept = static_cast<Kept*>(data);
  if (!kept->known) return;
  removeFromRuns(kept->runs, gtk_text_iter_get_offset(start), gtk_text_iter_get_offset(end));
}

// Only a tag that sets a background changes what is kept: a text colour
// does not.
void forgetAtTag(GtkTextBuffer*, GtkTextTag* tag, GtkTextIter*, GtkTextIter*, gpointer kept) {
  gboolean background = FALSE;
  g_object_get(tag, "background-set", &background, nullptr);
  if (background) forget(static_cast<Kept*>(kept));
}

void deleteKept(gpointer kept) { delete static_cast<Kept*>(kept); }

Kept* keptOn(GObject* buffer) { return static_cast<Kept*>(g_object_get_data(buffer, kKeptKey)); }

// The buffer's kept backgrounds, made and watched at the first painting.
Kept* keepOn(GObject* buffer) {
  if (Kept* kept = keptOn(buffer)) return kept;
  auto* kept = new Kept;
  g_object_set_data_full(buffer, kKeptKey, kept, deleteKept);
  // Before the deletion, while its iterators still tell where it was; after
  // the insertion, once its text is there to be read.
  g_signal_connect(buffer, "delete-range", G_CALLBACK(followDelete), kept);
  g_signal_connect_after(buffer, "insert-text", G_CALLBACK(followInsert), kept);
  g_signal_connect(buffer, "apply-tag", G_CALLBACK(forgetAtTag), kept);
  g_signal_connect(buffer, "remove-tag", G_CALLBACK(forgetAtTag), kept);
  return kept;
}

void setForgetting(GObject* buffer, Kept* kept, bool forgetting) {
  const auto block =
      forgetting ? g_signal_handlers_unblock_matched : g_signal_handlers_block_matched;
  block(buffer, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, kept);
}

}  // namespace

const std::vector<ColourRun>* knownBackgrounds(wxTextCtrl& control) {
  const Kept* kept = keptOn(G_OBJECT(textBufferOf(control)));
  return kept && kept->known ? &kept->runs : nullptr;
}

BackgroundsPainting::BackgroundsPainting(wxTextCtrl& control)
    : m_buffer(G_OBJECT(textBufferOf(control))), m_kept(keepOn(static_cast<GObject*>(m_buffer))) {
  setForgetting(static_cast<GObject*>(m_buffer), m_kept, false);
}

BackgroundsPainting::~BackgroundsPainting() {
  setForgetting(static_cast<GObject*>(m_buffer), m_kept, true);
}

void BackgroundsPainting::cleared() {
  m_kept->known = true;
  m_kept->runs.clear();
}

void BackgroundsPainting::read(const std::vector<ColourRun>& runs) {
  m_kept->known = true;
  m_kept->runs = runs;
}

void BackgroundsPainting::painted(const std::vector<ColourRun>& runs) {
  if (m_kept->known) paintOver(m_kept->runs, runs);
}

}  // namespace verbolt
