#include "highlight/background_tags.h"

#include <gtk/gtk.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "highlight/known_backgrounds.h"
#include "highlight/plan/colour_runs.h"
#include "highlight/tag_backgrounds.h"
#include "highlight/text_buffer.h"

namespace verbolt {

namespace {

// The control names its background tags by the colour's 16-bit channels;
// using its names lets its own style calls find and replace these tags.
constexpr char kBackgroundPrefix[] = "WXBACKCOLOR ";

GtkTextTag* backgroundTag(GtkTextBuffer* buffer, Rgb colour) {
  std::array<char, 64> name{};
  std::snprintf(name.data(), name.size(), "%s%d %d %d", kBackgroundPrefix, colour.red * 257,
                colour.green * 257, colour.blue * 257);
  GtkTextTagTable* table = gtk_text_buffer_get_tag_table(buffer);
  if (GtkTextTag* tag = gtk_text_tag_table_lookup(table, name.data())) return tag;
  const GdkRGBA rgba{colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0, 1.0};
  return gtk_text_buffer_create_tag(buffer, name.data(), "background-rgba", &rgba, nullptr);
}

void collectTag(GtkTextTag* tag, gpointer tags) {
  static_cast<std::vector<GtkTextTag*>*>(tags)->push_back(tag);
}

// Tells the kept backgrounds what was painted, as far as the text goes.
void tellPainted(BackgroundsPainting& painting, const std::vector<ColourRun>& runs, int length) {
  if (runs.empty() || runs.back().end <= length) {
    painting.painted(runs);
  } else {
    painting.painted(runsWithin(runs, 0, length));
  }
}

// The background tags of a buffer by colour, each found once.
class TagsByColour {
 public:
  explicit TagsByColour(GtkTextBuffer* buffer) : m_buffer(buffer) {}
  GtkTextTag* of(Rgb colour) {
    for (const auto& [known, tag] : m_tags) {
      if (known == colour) return tag;
    }
    m_tags.emplace_back(colour, backgroundTag(m_buffer, colour));
    return m_tags.back().second;
  }

 private:
  GtkTextBuffer* m_buffer;
  std::vector<std::pair<Rgb, GtkTextTag*>> m_tags;
};

// The background tags over [start, end), asked of the buffer.
void findCovering(const GtkTextIter& start, const GtkTextIter& end, TagBackgrounds& backgrounds,
                  std::vector<GtkTextTag*>& covered) {
  auto collect = [&](GSList* tags) {
    for (GSList* item = tags; item; item = item->next) {
      auto* tag = static_cast<GtkTextTag*>(item->data);
      if (backgrounds.setsBackground(tag)) covered.push_back(tag);
    }
    g_slist_free(tags);
  };
  collect(gtk_text_iter_get_tags(&start));
  GtkTextIter toggle = start;
  while (gtk_text_iter_forward_to_tag_toggle(&toggle, nullptr) &&
         gtk_text_iter_compare(&toggle, &end) < 0) {
    collect(gtk_text_iter_get_toggled_tags(&toggle, TRUE));
  }
}

// The same from the kept backgrounds, which the program painted with its own
// tags; true when [start, end) already shows `colour` throughout, and so
// needs nothing.
bool findKeptCovering(const std::vector<ColourRun>& kept, int start, int end, Rgb colour,
                      TagsByColour& tags, std::vector<GtkTextTag*>& covered) {
  auto run = std::upper_bound(kept.begin(), kept.end(), start,
                              [](int p, const ColourRun& r) { return p < r.start; });
  if (run != kept.begin() && (run - 1)->end > start) --run;
  if (run == kept.end() || run->start >= end) return colour == kWhite;
  if (run->start <= start && run->end >= end && run->colour == colour) return true;
  for (; run != kept.end() && run->start < end; ++run) {
    GtkTextTag* tag = tags.of(run->colour);
    if (std::find(covered.begin(), covered.end(), tag) == covered.end()) covered.push_back(tag);
  }
  return false;
}

}  // namespace

// One removal per background tag, each skipping straight from one of its
// toggles to the next.
void removeBackgrounds(wxTextCtrl& control) {
  BackgroundsPainting painting(control);
  GtkTextBuffer* buffer = textBufferOf(control);
  std::vector<GtkTextTag*> tags;
  gtk_text_tag_table_foreach(gtk_text_buffer_get_tag_table(buffer), collectTag, &tags);
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  TagBackgrounds backgrounds;
  for (GtkTextTag* tag : tags) {
    if (backgrounds.setsBackground(tag)) gtk_text_buffer_remove_tag(buffer, tag, &start, &end);
  }
  painting.cleared();
}

void paintOnBareText(wxTextCtrl& control, const std::vector<ColourRun>& runs) {
  BackgroundsPainting painting(control);
  GtkTextBuffer* buffer = textBufferOf(control);
  const int length = gtk_text_buffer_get_char_count(buffer);
  TagsByColour tags(buffer);
  GtkTextIter start, end;
  for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
    const int stop = std::min(run->end, length);
    if (run->start >= stop || run->colour == kWhite) continue;
    gtk_text_buffer_get_iter_at_offset(buffer, &start, run->start);
    gtk_text_buffer_get_iter_at_offset(buffer, &end, stop);
    gtk_text_buffer_apply_tag(buffer, tags.of(run->colour), &start, &end);
  }
  tellPainted(painting, runs, length);
}

// Back to front, so that looking for the tags of a run never walks far:
// the run after it is painted already.
void repaintRuns(wxTextCtrl& control, const std::vector<ColourRun>& runs) {
  const std::vector<ColourRun>* kept = knownBackgrounds(control);
  BackgroundsPainting painting(control);
  GtkTextBuffer* buffer = textBufferOf(control);
  const int length = gtk_text_buffer_get_char_count(buffer);
  TagBackgrounds backgrounds;
  TagsByColour tags(buffer);
  std::vector<GtkTextTag*> covered;
  GtkTextIter start, end;
  for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
    const int stop = std::min(run->end, length);
    if (run->start >= stop) continue;
    covered.clear();
    if (kept && findKeptCovering(*kept, run->start, stop, run->colour, tags, covered)) continue;
    gtk_text_buffer_get_iter_at_offset(buffer, &start, run->start);
    end = start;
    gtk_text_iter_forward_chars(&end, stop - run->start);
    if (!kept) findCovering(start, end, backgrounds, covered);
    for (GtkTextTag* tag : covered) gtk_text_buffer_remove_tag(buffer, tag, &start, &end);
    if (run->colour != kWhite)
      gtk_text_buffer_apply_tag(buffer, tags.of(run->colour), &start, &end);
  }
  tellPainted(painting, runs, length);
}

struct WordColours::Reader {
  GtkTextBuffer* buffer;
  TagBackgrounds backgrounds;
};

WordColours::WordColours(wxTextCtrl& control) : m_reader(new Reader{textBufferOf(control), {}}) {}

WordColours::~WordColours() { delete m_reader; }

Rgb WordColours::of(long start, long end) {
  const long probe = wordProbePosition(start, end);
  if (probe < 0 || probe >= gtk_text_buffer_get_char_count(m_reader->buffer)) return kWhite;
  GtkTextIter iter;
  gtk_text_buffer_get_iter_at_offset(m_reader->buffer, &iter, static_cast<gint>(probe));
  return m_reader->backgrounds.at(iter);
}

}  // namespace verbolt
