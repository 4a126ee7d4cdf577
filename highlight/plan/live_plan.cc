#include "highlight/plan/live_plan.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "analysis/equivalence.h"
#include "analysis/top100_report.h"
#include "highlight/plan/colour_runs.h"
#include "text/words.h"

namespace verbolt {

namespace {

// Beyond this reach a stretch is most of a novel: the whole pass is as
// cheap and needs no bookkeeping.
constexpr size_t kLongestReach = 200000;

// How far a word's repetitions reach: no occurrence further than this from
// another takes part in its close or distant repetition.
size_t reachOf(const AnalysisSettings& settings) {
  int reach = 1;
  if (settings.m_closeActive) reach = std::max(reach, settings.m_closeDistance);
  if (settings.m_distantActive) reach = std::max(reach, settings.m_distantDistance);
  return static_cast<size_t>(reach);
}

// The echoes, the phrase search and the families by dictionary form reach
// further than a distance, or by other paths than a word's beginning: with
// any of them on, every update is a whole pass.
bool followsByStretch(const AnalysisSettings& settings) {
  return !familiesByLemma(settings) && !settings.m_echoes.phrasesActive &&
         !settings.m_echoes.openingsActive && !settings.m_phrasesActive &&
         reachOf(settings) <= kLongestReach;
}

// Whether the word table records an occurrence of `word` in the entry of
// `key`: its candidates are the keys that begin with the word's first two
// bytes, and of those the similar ones.
bool recordsInto(std::string_view word, std::string_view key, const AnalysisSettings& settings) {
  return key.starts_with(word.substr(0, 2)) && areSimilar(word, key, settings);
}

// The first bytes every key similar to `word` shares with it, other than
// the word itself.
size_t sharedBeginning(std::string_view word, const AnalysisSettings& settings) {
  if (!settings.m_sameActive) return word.size();
  return std::min(word.size(), similarBeginning(word.size(), settings));
}

// Where a stretch may begin: at `position` or before it, where no word runs
// across. The start of the text is such a place.
size_t boundaryAtOrBefore(std::string_view text, long long position) {
  auto at = static_cast<size_t>(std::max<long long>(position, 0));
  while (at > 0 && isWordChar(static_cast<unsigned char>(text[at - 1]))) --at;
  return at;
}

size_t boundaryAtOrAfter(std::string_view text, size_t position) {
  size_t at = std::min(position, text.size());
  while (at < text.size() && isWordChar(static_cast<unsigned char>(text[at]))) ++at;
  return at;
}

size_t commonPrefix(std::string_view a, std::string_view b) {
  const size_t most = std::min(a.size(), b.size());
  constexpr size_t kBlock = 4096;
  size_t at = 0;
  while (at + kBlock <= most && std::memcmp(a.data() + at, b.data() + at, kBlock) == 0)
    at += kBlock;
  while (at < most && a[at] == b[at]) ++at;
  return at;
}

// Of at most `most` bytes.
size_t commonSuffix(std::string_view a, std::string_view b, size_t most) {
  constexpr size_t kBlock = 4096;
  size_t length = 0;
  while (length + kBlock <= most && std::memcmp(a.data() + a.size() - length - kBlock,
                                                b.data() + b.size() - length - kBlock, kBlock) == 0)
    length += kBlock;
  while (length < most && a[a.size() - 1 - length] == b[b.size() - 1 - length]) ++length;
  return length;
}

// Beyond these, following the entries an edit makes or removes costs
// about as much as a whole pass: a stretch costs a few times more a byte
// than the whole pass, which shares its work between two threads and
// looks up no entry met before.
constexpr size_t kMostReachingForms = 8;
constexpr size_t kMostTakenOccurrences = 20000;
constexpr size_t kStretchCostFactor = 8;

// Where the old and the new text differ, in words: [x, yOld) of the old
// text became [x, yNew) of the new, the rest moved by `shift`.
struct Edit {
  size_t x;
  size_t yOld;
  size_t yNew;
  long long shift;
};

// The occurrences in `text` from `from` on, in order, of the words the
// entry of `key` records; false when there are more than the bound.
bool occurrencesTakenBy(std::string_view text, size_t from, std::string_view key,
                        const AnalysisSettings& settings, std::vector<LivePlan::Token>& found) {
  const std::string_view beginning = key.substr(0, sharedBeginning(key, settings));
  std::unordered_map<std::string_view, bool> taken;
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* at = begin + from;
  while (at < end) {
    const void* hit = memmem(at, static_cast<size_t>(end - at), beginning.data(), beginning.size());
    if (!hit) break;
    const auto start = static_cast<size_t>(static_cast<const char*>(hit) - begin);
    const size_t wordEnd = boundaryAtOrAfter(text, start);
    at = begin + std::max(wordEnd, start + 1);
    if (start > 0 && isWordChar(static_cast<unsigned char>(text[start - 1]))) continue;
    const std::string_view word = text.substr(start, wordEnd - start);
    auto verdict = taken.find(word);
    if (verdict == taken.end()) {
      verdict =
          taken.emplace(word, recordsInto(word, key, settings) && !isSkipped(word, settings)).first;
    }
    if (!verdict->second) continue;
    if (found.size() == kMostTakenOccurrences) return false;
    found.push_back({word, static_cast<int>(start)});
  }
  return true;
}

// What the entry of `key` records after the edit: every occurrence taken
// from the key's first one on.
std::vector<int> recordedAfterEdit(const std::vector<LivePlan::Token>& taken,
                                   std::string_view key) {
  std::vector<int> recorded;
  for (const LivePlan::Token& token : taken) {
    if (recorded.empty() && token.word != key) continue;
    recorded.push_back(token.start);
  }
  return recorded;
}

// The same before the edit, in the old text's positions: the occurrences
// outside the edit, moved back, and those the edit removed.
std::vector<int> recordedBeforeEdit(const std::vector<LivePlan::Token>& taken,
                                    const std::vector<LivePlan::Token>& removed,
                                    std::string_view key, int first, const Edit& edit,
                                    const AnalysisSettings& settings) {
  std::vector<int> recorded;
  if (first < 0) return recorded;
  auto record = [&](int start) {
    if (start >= first) recorded.push_back(start);
  };
  for (const LivePlan::Token& token : taken) {
    if (token.start < static_cast<int>(edit.x)) record(token.start);
  }
  for (const LivePlan::Token& token : removed) {
    if (recordsInto(token.word, key, settings)) record(token.start);
  }
  for (const LivePlan::Token& token : taken) {
    if (token.start >= static_cast<int>(edit.yNew))
      record(static_cast<int>(token.start - edit.shift));
  }
  return recorded;
}

// The repetitions an entry makes of the occurrences it records, in
// order, as the word table's ring finds them: by start, 1 for a close
// repetition, 2 for a distant one, both or neither.
std::map<int, int> repetitionsAmong(const std::vector<int>& recorded,
                                    const AnalysisSettings& settings) {
  std::map<int, int> repeated;
  const auto ring = static_cast<size_t>(settings.m_distantNb);
  for (size_t i = 0; i < recorded.size(); ++i) {
    if (settings.m_closeActive && i >= 1 &&
        recorded[i] - recorded[i - 1] < settings.m_closeDistance) {
      repeated[recorded[i - 1]] |= 1;
      repeated[recorded[i]] |= 1;
    }
    if (settings.m_distantActive && i + 1 >= ring &&
        recorded[i] - recorded[i + 1 - ring] < settings.m_distantDistance) {
      for (size_t k = i + 1 - ring; k <= i; ++k) repeated[recorded[k]] |= 2;
    }
  }
  return repeated;
}

// The starts, in the new text, whose repetitions in one entry differ
// before and after the edit; the starts within the edit are left out.
std::vector<int> changedRepetitions(const std::vector<int>& before, const std::vector<int>& after,
                                    const Edit& edit, const AnalysisSettings& settings) {
  std::map<int, int> then;
  for (const auto& [start, kinds] : repetitionsAmong(before, settings)) {
    if (start < static_cast<int>(edit.x)) {
      then[start] = kinds;
    } else if (start >= static_cast<int>(edit.yOld)) {
      then[static_cast<int>(start + edit.shift)] = kinds;
    }
  }
  const std::map<int, int> now = repetitionsAmong(after, settings);
  std::vector<int> changed;
  for (const auto& [start, kinds] : now) {
    auto was = then.find(start);
    if (was == then.end() || was->second != kinds) changed.push_back(start);
  }
  for (const auto& [start, kinds] : then) {
    if (!now.contains(start)) changed.push_back(start);
  }
  return changed;
}

// The zones, each from a start to the end of a word, that hold `starts`:
// starts nearer than two reaches share one.
std::vector<std::pair<int, int>> zonesAround(std::string_view text, std::vector<int> starts,
                                             long long reach) {
  std::sort(starts.begin(), starts.end());
  std::vector<std::pair<int, int>> zones;
  for (int start : starts) {
    const auto end = static_cast<int>(boundaryAtOrAfter(text, static_cast<size_t>(start)));
    if (!zones.empty() && start - zones.back().second < 2 * reach) {
      zones.back().second = std::max(zones.back().second, end);
    } else {
      zones.emplace_back(start, end);
    }
  }
  return zones;
}

}  // namespace

void LivePlan::update(std::string_view lowered, const AnalysisSettings& settings) {
  const bool same = m_kept && settings == m_settings && activePalette() == m_palette;
  if (same && lowered == m_text) {
    m_whole = false;
    return;
  }
  if (same && followsByStretch(settings) && analyseStretch(lowered)) return;
  analyseWhole(lowered, settings);
}

void LivePlan::analyseWhole(std::string_view text, const AnalysisSettings& settings) {
  AnalysisResult result =
      analyzeText(text, settings, {}, RepeatedStarts::kCollapsed, PassThreads::kAutomatic,
                  PhraseList::kCounted, EntryCounts::kKept);
  m_runs = planHighlights(text, result, settings);
  m_report = std::move(result.report);
  m_topPhrases = std::move(result.topPhrases);
  m_formIds.clear();
  m_forms.clear();
  m_freeIds.clear();
  m_forms.reserve(result.entryCounts.size());
  for (EntryCount& entry : result.entryCounts) {
    m_formIds.emplace_hint(m_formIds.end(), std::move(entry.key), static_cast<int>(m_forms.size()));
    m_forms.push_back({entry.own, entry.first, entry.count});
  }
  m_text.assign(text);
  m_settings = settings;
  m_palette = activePalette();
  m_kept = true;
  m_whole = true;
}

std::vector<LivePlan::Token> LivePlan::tokensOf(std::string_view text, size_t from,
                                                size_t to) const {
  std::vector<Token> tokens;
  forEachWord(text, from, to, [&](size_t start, size_t end) {
    tokens.push_back({text.substr(start, end - start), static_cast<int>(start)});
  });
  return tokens;
}

int LivePlan::formId(std::string_view word) const {
  auto found = m_formIds.find(word);
  return found == m_formIds.end() ? -1 : found->second;
}

// Calls visit(key, id) for every form whose entry records the occurrences
// of `word`.
template <typename Visit>
void LivePlan::forEachKeyTaking(std::string_view word, Visit visit) const {
  const std::string_view beginning =
      word.substr(0, std::max(sharedBeginning(word, m_settings), std::min<size_t>(2, word.size())));
  for (auto it = m_formIds.lower_bound(beginning);
       it != m_formIds.end() && std::string_view(it->first).starts_with(beginning); ++it) {
    if (recordsInto(word, it->first, m_settings)) visit(std::string_view(it->first), it->second);
  }
}

// Calls visit(word, id) for every form whose occurrences the entry of
// `key` records.
template <typename Visit>
void LivePlan::forEachKeyGiving(std::string_view key, Visit visit) const {
  const std::string_view beginning = key.substr(0, sharedBeginning(key, m_settings));
  for (auto it = m_formIds.lower_bound(beginning);
       it != m_formIds.end() && std::string_view(it->first).starts_with(beginning); ++it) {
    if (recordsInto(it->first, key, m_settings)) visit(std::string_view(it->first), it->second);
  }
}

// The forms met before `before` whose entries the words of the stretch
// may be recorded in, in the order a whole pass meets them.
std::vector<std::string_view> LivePlan::formsBefore(const std::vector<Token>& stretch,
                                                    int before) const {
  std::unordered_set<std::string_view> seen;
  std::vector<std::pair<int, std::string_view>> met;
  for (const Token& token : stretch) {
    if (!seen.insert(token.word).second) continue;
    forEachKeyTaking(token.word, [&](std::string_view key, int id) {
      const int first = m_forms[static_cast<size_t>(id)].first;
      if (first < before) met.emplace_back(first, key);
    });
  }
  std::sort(met.begin(), met.end());
  met.erase(std::unique(met.begin(), met.end()), met.end());
  std::vector<std::string_view> forms;
  forms.reserve(met.size());
  for (const auto& [first, key] : met) forms.push_back(key);
  return forms;
}

// The edit is where the old and the new text differ. A word's colour
// depends on the occurrences within the reach of its start, so the colours
// change only within the reach of the words the edit touched (the zone);
// analysing a stretch one reach wider on each side finds them there as a
// whole pass would, once the stretch's word table holds the entries the
// whole pass would have made before it. One thing reaches further: an
// entry exists from its word's first occurrence on, so an edit that moves
// a first occurrence changes which entries exist up to the next one. When
// an entry changed so records an occurrence outside the zone, the whole
// text is analysed instead.
bool LivePlan::analyseStretch(std::string_view text) {
  const std::string_view old = m_text;
  const size_t prefix = commonPrefix(old, text);
  const size_t suffix = commonSuffix(old, text, std::min(old.size(), text.size()) - prefix);
  const size_t oldEnd = old.size() - suffix;
  const size_t newEnd = text.size() - suffix;
  const size_t x = boundaryAtOrBefore(text, static_cast<long long>(prefix));
  const size_t yNew = boundaryAtOrAfter(text, newEnd);
  const size_t yOld = yNew - newEnd + oldEnd;
  const long long shift = static_cast<long long>(text.size()) - static_cast<long long>(old.size());
  const Edit edit{x, yOld, yNew, shift};

  const auto reach = static_cast<long long>(reachOf(m_settings));
  const size_t zoneFrom = boundaryAtOrBefore(text, static_cast<long long>(x) - reach);
  const size_t from = boundaryAtOrBefore(text, static_cast<long long>(zoneFrom) - reach);
  const size_t zoneTo = boundaryAtOrAfter(text, yNew + static_cast<size_t>(reach));
  const size_t to = boundaryAtOrAfter(text, zoneTo + static_cast<size_t>(reach));
  if (2 * (to - from) > text.size()) return false;

  auto kept = [&](std::string_view word) { return !isSkipped(word, m_settings); };
  std::vector<Token> removed, added;
  for (const Token& token : tokensOf(old, x, yOld))
    if (kept(token.word)) removed.push_back(token);
  for (const Token& token : tokensOf(text, x, yNew))
    if (kept(token.word)) added.push_back(token);

  // How each form's occurrences change, and the forms whose first
  // occurrence the edit moves.
  std::unordered_map<std::string_view, int> ownChange;
  std::unordered_set<std::string_view> moved;
  for (const Token& token : removed) {
    --ownChange[token.word];
    const int id = formId(token.word);
    if (id < 0) return false;  // never seen: read the whole text again rather than guess
    if (m_forms[static_cast<size_t>(id)].first >= static_cast<int>(x)) moved.insert(token.word);
  }
  for (const Token& token : added) {
    ++ownChange[token.word];
    const int id = formId(token.word);
    if (id < 0 || m_forms[static_cast<size_t>(id)].first >= static_cast<int>(x))
      moved.insert(token.word);
  }
  auto ownAfter = [&](std::string_view word, int id) {
    auto change = ownChange.find(word);
    return (id < 0 ? 0 : m_forms[static_cast<size_t>(id)].own) +
           (change == ownChange.end() ? 0 : change->second);
  };

  std::unordered_map<std::string_view, int> inZone;
  std::vector<Token> zone;
  for (const Token& token : tokensOf(text, zoneFrom, zoneTo)) {
    if (!kept(token.word)) continue;
    zone.push_back(token);
    ++inZone[token.word];
  }
  auto outsideZone = [&](std::string_view word, int id) {
    auto found = inZone.find(word);
    return ownAfter(word, id) > (found == inZone.end() ? 0 : found->second);
  };
  // The moved forms whose entries record occurrences outside the zone:
  // there the repetitions of those entries are worked out from the
  // occurrences they record, before and after the edit, and the starts
  // whose repetitions change are analysed again in stretches of their own.
  std::unordered_map<std::string_view, Form> reaching;
  std::vector<int> changedStarts;
  for (std::string_view form : moved) {
    bool reachesOut = outsideZone(form, formId(form));
    forEachKeyGiving(form, [&](std::string_view word, int id) {
      reachesOut = reachesOut || outsideZone(word, id);
    });
    if (!reachesOut) continue;
    if (reaching.size() == kMostReachingForms) return false;
    // The form's first occurrence is at the edit or after it, before the
    // edit and after: its entry records nothing before the edit.
    std::vector<Token> taken;
    if (!occurrencesTakenBy(text, x, form, m_settings, taken)) return false;
    const int id = formId(form);
    const int firstBefore = id < 0 ? -1 : m_forms[static_cast<size_t>(id)].first;
    const std::vector<int> recordedBefore =
        recordedBeforeEdit(taken, removed, form, firstBefore, edit, m_settings);
    const std::vector<int> recorded = recordedAfterEdit(taken, form);
    reaching[form] = {ownAfter(form, id), recorded.empty() ? -1 : recorded.front(),
                      static_cast<int>(recorded.size())};
    for (int start : changedRepetitions(recordedBefore, recorded, edit, m_settings)) {
      if (start < static_cast<int>(zoneFrom) || start >= static_cast<int>(zoneTo))
        changedStarts.push_back(start);
    }
  }
  const std::vector<std::pair<int, int>> remoteZones = zonesAround(text, changedStarts, reach);
  size_t remoteBytes = 0;
  for (const auto& [start, end] : remoteZones)
    remoteBytes += static_cast<size_t>(end - start + 4 * reach);
  if (kStretchCostFactor * remoteBytes > text.size()) return false;

  // The zone's colours, from the stretch. No entry a stretch's words are
  // recorded in has its first occurrence moved before the stretch, so the
  // entries met before it are the same before and after the edit.
  analyseZone(text, from, to, static_cast<int>(zoneFrom), static_cast<int>(zoneTo),
              static_cast<int>(shift));

  // The entries of forms met before the edit gain and lose the
  // occurrences the edit added and removed.
  auto countChange = [&](const std::vector<Token>& tokens, int by) {
    for (const Token& token : tokens) {
      forEachKeyTaking(token.word, [&](std::string_view key, int id) {
        Form& form = m_forms[static_cast<size_t>(id)];
        if (form.first < static_cast<int>(x) && !moved.contains(key)) form.entry += by;
      });
    }
  };
  countChange(removed, -1);
  countChange(added, 1);
  for (const auto& [word, change] : ownChange) {
    const int id = formId(word);
    if (id >= 0) {
      m_forms[static_cast<size_t>(id)].own += change;
    } else {
      int fresh;
      if (m_freeIds.empty()) {
        fresh = static_cast<int>(m_forms.size());
        m_forms.push_back({});
      } else {
        fresh = m_freeIds.back();
        m_freeIds.pop_back();
      }
      m_forms[static_cast<size_t>(fresh)] = {change, -1, 0};
      m_formIds.emplace(std::string(word), fresh);
    }
  }
  for (Form& form : m_forms) {
    if (form.first >= static_cast<int>(yOld)) form.first += static_cast<int>(shift);
  }
  // A moved form occurs only within the zone: its first occurrence and its
  // entry's count are read there.
  for (std::string_view word : moved) {
    auto it = m_formIds.find(word);
    Form& form = m_forms[static_cast<size_t>(it->second)];
    if (form.own == 0) {
      m_freeIds.push_back(it->second);
      m_formIds.erase(it);
      continue;
    }
    if (auto far = reaching.find(word); far != reaching.end()) {
      form.first = far->second.first;
      form.entry = far->second.entry;
      continue;
    }
    form.first = -1;
    form.entry = 0;
    for (const Token& token : zone) {
      if (form.first < 0 && token.word == word) form.first = token.start;
      if (form.first >= 0 && recordsInto(token.word, word, m_settings)) ++form.entry;
    }
  }
  for (const auto& [start, end] : remoteZones) {
    const size_t remoteFrom = boundaryAtOrBefore(text, start - reach);
    const size_t remoteTo = boundaryAtOrAfter(text, static_cast<size_t>(end + reach));
    analyseZone(text, remoteFrom, remoteTo, start, end, 0);
  }
  buildReport();
  m_text.assign(text);
  m_whole = false;
  return true;
}

// Analyses the stretch [from, to) of the new text and puts its colours in
// place of the zone's, [zoneStart, zoneEnd), moving the runs after it by
// `shift`.
void LivePlan::analyseZone(std::string_view text, size_t from, size_t to, int zoneStart,
                           int zoneEnd, int shift) {
  const std::string_view stretch = text.substr(from, to - from);
  const std::vector<std::string_view> before =
      formsBefore(tokensOf(text, from, to), static_cast<int>(from));
  const AnalysisResult found = analyzeStretch(stretch, before, m_settings);
  std::vector<ColourRun> runs = planHighlights(stretch, found, m_settings);
  shiftRuns(runs, static_cast<long>(from) - zoneStart);
  replaceInRuns(m_runs, zoneStart, zoneEnd - shift, zoneEnd - zoneStart, runs);
}

void LivePlan::buildReport() {
  std::vector<WordTable::KeyCount> counts;
  counts.reserve(m_formIds.size());
  for (const auto& [key, id] : m_formIds)
    counts.push_back({key, m_forms[static_cast<size_t>(id)].entry});
  m_report = buildTop100Report(std::move(counts), m_settings);
}

}  // namespace verbolt
