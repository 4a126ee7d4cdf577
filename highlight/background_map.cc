#include "highlight/background_map.h"

#include <gtk/gtk.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace {

// The background of the highest-priority tag at `iter` that sets one: the
// colour a style query reports there.
Rgb backgroundAt(const GtkTextIter& iter) {
  Rgb colour = kWhite;
  GSList* tags = gtk_text_iter_get_tags(&iter);  // lowest priority first
  for (GSList* item = tags; item; item = item->next) {
    gboolean set = FALSE;
    GdkRGBA* rgba = nullptr;
    g_object_get(item->data, "background-set", &set, "background-rgba", &rgba, nullptr);
    if (set && rgba) {
      auto channel = [](double value) { return static_cast<unsigned char>(value * 255 + 0.5); };
      colour = {channel(rgba->red), channel(rgba->green), channel(rgba->blue)};
    }
    if (rgba) gdk_rgba_free(rgba);
  }
  g_slist_free(tags);
  return colour;
}

}  // namespace

BackgroundMap::BackgroundMap(wxTextCtrl& control) {
  auto* view = GTK_TEXT_VIEW(control.GetConnectWidget());
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(view);
  GtkTextIter iter;
  gtk_text_buffer_get_start_iter(buffer, &iter);
  while (!gtk_text_iter_is_end(&iter)) {
    GtkTextIter next = iter;
    gtk_text_iter_forward_to_tag_toggle(&next, nullptr);
    const Rgb colour = backgroundAt(iter);
    const int start = gtk_text_iter_get_offset(&iter);
    const int end = gtk_text_iter_get_offset(&next);
    if (colour != kWhite) {
      if (!m_runs.empty() && m_runs.back().end == start && m_runs.back().colour == colour) {
        m_runs.back().end = end;
      } else {
        m_runs.push_back({start, end, colour});
      }
    }
    iter = next;
  }
}

Rgb BackgroundMap::at(long position) const {
  auto after = std::upper_bound(m_runs.begin(), m_runs.end(), position,
                                [](long p, const ColourRun& run) { return p < run.start; });
  if (after == m_runs.begin()) return kWhite;
  const ColourRun& run = *(after - 1);
  return position < run.end ? run.colour : kWhite;
}
