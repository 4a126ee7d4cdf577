#include "highlight/known_backgrounds.h"

#include <gtk/gtk.h>
#include <wx/textctrl.h>

#include "highlight/plan/colour_runs.h"
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

void forgetAtChange(GtkTextBuffer*, gpointer kept) { forget(static_cast<Kept*>(kept)); }

void forgetAtTag(GtkTextBuffer*, GtkTextTag*, GtkTextIter*, GtkTextIter*, gpointer kept) {
  forget(static_cast<Kept*>(kept));
}

void deleteKept(gpointer kept) { delete static_cast<Kept*>(kept); }

Kept* keptOn(GObject* buffer) { return static_cast<Kept*>(g_object_get_data(buffer, kKeptKey)); }

// The buffer's kept backgrounds, made and watched at the first painting.
Kept* keepOn(GObject* buffer) {
  if (Kept* kept = keptOn(buffer)) return kept;
  auto* kept = new Kept;
  g_object_set_data_full(buffer, kKeptKey, kept, deleteKept);
  g_signal_connect(buffer, "changed", G_CALLBACK(forgetAtChange), kept);
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

void BackgroundsPainting::painted(const std::vector<ColourRun>& runs) {
  if (m_kept->known) m_kept->runs = paintedOver(m_kept->runs, runs);
}

}  // namespace verbolt
