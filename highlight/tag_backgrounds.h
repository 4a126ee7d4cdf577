// The backgrounds of the text buffer's tags, for the code of this folder
// that works on the buffer directly.
#pragma once

#include <gtk/gtk.h>

#include <optional>
#include <unordered_map>
#include <vector>

#include "highlight/plan/colours.h"
#include "highlight/plan/paint_plan.h"

namespace verbolt {

// The background each tag sets, asked of each tag once: asking a tag its
// properties costs far more than finding it. Keep one for one pass only:
// tags are keyed by address.
class TagBackgrounds {
 public:
  // The background of the highest-priority tag at `iter` that sets one:
  // the colour a style query reports there.
  Rgb at(const GtkTextIter& iter) {
    Rgb colour = kWhite;
    GSList* tags = gtk_text_iter_get_tags(&iter);  // lowest priority first
    for (GSList* item = tags; item; item = item->next) {
      if (const std::optional<Rgb>& background = of(static_cast<GtkTextTag*>(item->data))) {
        colour = *background;
      }
    }
    g_slist_free(tags);
    return colour;
  }

  bool setsBackground(GtkTextTag* tag) { return of(tag).has_value(); }

 private:
  const std::optional<Rgb>& of(GtkTextTag* tag) {
    auto known = m_backgrounds.find(tag);
    if (known != m_backgrounds.end()) return known->second;
    gboolean set = FALSE;
    GdkRGBA* rgba = nullptr;
    g_object_get(tag, "background-set", &set, "background-rgba", &rgba, nullptr);
    std::optional<Rgb> background;
    if (set && rgba) {
      auto channel = [](double value) { return static_cast<unsigned char>(value * 255 + 0.5); };
      background = Rgb{channel(rgba->red), channel(rgba->green), channel(rgba->blue)};
    }
    if (rgba) gdk_rgba_free(rgba);
    return m_backgrounds.emplace(tag, background).first->second;
  }

  std::unordered_map<GtkTextTag*, std::optional<Rgb>> m_backgrounds;
};

// Maximal runs of one background between two iterators, white left out,
// at the buffer's own offsets.
inline std::vector<ColourRun> backgroundRunsBetween(GtkTextIter iter, const GtkTextIter& end) {
  std::vector<ColourRun> runs;
  TagBackgrounds backgrounds;
  while (gtk_text_iter_compare(&iter, &end) < 0) {
    GtkTextIter next = iter;
    gtk_text_iter_forward_to_tag_toggle(&next, nullptr);
    if (gtk_text_iter_compare(&next, &end) > 0) next = end;
    const Rgb colour = backgrounds.at(iter);
    const int start = gtk_text_iter_get_offset(&iter);
    const int stop = gtk_text_iter_get_offset(&next);
    if (colour != kWhite) {
      if (!runs.empty() && runs.back().end == start && runs.back().colour == colour) {
        runs.back().end = stop;
      } else {
        runs.push_back({start, stop, colour});
      }
    }
    iter = next;
  }
  return runs;
}

}  // namespace verbolt
