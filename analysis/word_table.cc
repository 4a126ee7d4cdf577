#include "analysis/word_table.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "analysis/equivalence.h"
#include "analysis/word_head.h"

namespace verbolt {

namespace {

// List chunks hold a power of two ints; class c holds 2^c.
size_t chunkClass(int length) {
  return static_cast<size_t>(std::bit_width(static_cast<unsigned>(length) - 1));
}

using Key = KeyOrder::Key;

// Whether `key` begins with the first `length` bytes of `own`, which has
// at least that many.
inline bool beginsWith(const KeyOrder& keys, const Key& key, const Key& own, size_t length) {
  if (key.length < length) return false;
  if (length <= 8) return ((key.head[0] ^ own.head[0]) & firstBytesMask(length)) == 0;
  if (key.head[0] != own.head[0]) return false;
  if (length <= 16) return ((key.head[1] ^ own.head[1]) & firstBytesMask(length - 8)) == 0;
  return key.head[1] == own.head[1] &&
         keys.text(key.id).substr(16, length - 16) == keys.text(own.id).substr(16, length - 16);
}

size_t commonBeginningOfLongKeys(const KeyOrder& keys, const Key& a, const Key& b) {
  std::string_view textA = keys.text(a.id);
  std::string_view textB = keys.text(b.id);
  size_t shorter = std::min(textA.size(), textB.size());
  size_t common = 16;
  while (common < shorter && textA[common] == textB[common]) ++common;
  return common;
}

inline size_t commonBeginning(const KeyOrder& keys, const Key& a, const Key& b) {
  size_t shorter = std::min(a.length, b.length);
  size_t common;
  if (std::uint64_t x = a.head[0] ^ b.head[0]) {
    common = firstDifferentByte(x);
  } else if (std::uint64_t y = a.head[1] ^ b.head[1]) {
    common = 8 + firstDifferentByte(y);
  } else {
    common = shorter > 16 ? commonBeginningOfLongKeys(keys, a, b) : 16;
  }
  return std::min(common, shorter);
}

// areSimilar on two keys, from their heads where it can.
inline bool equivalent(const KeyOrder& keys, const Key& a, const Key& b,
                       const AnalysisSettings& settings) {
  if (!settings.m_sameActive) return a.id == b.id;
  return similarByCommonBeginning(commonBeginning(keys, a, b), std::max(a.length, b.length),
                                  settings);
}

// The comparisons of one walk over the run of an own key: the keys of the
// run begin with its first `shared` bytes, more than the percentage of it
// and at least the minimum number of letters, so a key of the run is
// equivalent to it unless it is longer and the percentage of its own
// length is not less than the common beginning.
class RunTest {
 public:
  RunTest(const KeyOrder& keys, const Key& own, size_t shared, const AnalysisSettings& settings)
      : m_keys(keys),
        m_own(own),
        m_shared(shared),
        m_settings(settings),
        m_percent(settings.m_samePercent),
        m_plainPercent(settings.m_samePercent >= 0 && settings.m_samePercent <= 100) {}

  bool inRun(const Key& key) const { return beginsWith(m_keys, key, m_own, m_shared); }

  bool equivalent(const Key& key) const {
    size_t common = commonBeginning(m_keys, m_own, key);
    if (!m_plainPercent) {
      return similarByCommonBeginning(common, std::max(m_own.length, key.length), m_settings);
    }
    // common * 100 > length * percent, that is common > length * percent / 100.
    return key.length <= m_own.length || static_cast<std::int64_t>(key.length) * m_percent <
                                             static_cast<std::int64_t>(common) * 100;
  }

 private:
  const KeyOrder& m_keys;
  const Key m_own;
  const size_t m_shared;
  const AnalysisSettings& m_settings;
  const std::int64_t m_percent;
  const bool m_plainPercent;
};

}  // namespace

WordTable::WordTable(const AnalysisSettings& settings)
    : m_settings(settings),
      m_lemmas(familiesByLemma(settings) ? settings.m_lemmas.get() : nullptr),
      m_ringSize(std::max(1, settings.m_distantNb)),
      m_sameActive(settings.m_sameActive != 0),
      m_closeActive(settings.m_closeActive != 0),
      m_distantActive(settings.m_distantActive != 0),
      m_closeDistance(settings.m_closeDistance),
      m_distantDistance(settings.m_distantDistance),
      m_keys(kRing + static_cast<size_t>(m_ringSize), -1) {
  m_oneByteEntries.fill(WordIndex::kAbsent);
}

void WordTable::reserve(size_t entries) {
  m_keys.reserve(entries);
  m_listInfo.reserve(entries * kListFields);
}

int WordTable::addEntry(std::string_view word) {
  int id = m_keys.add(word);
  if (word.size() == 1) m_oneByteEntries[static_cast<unsigned char>(word[0])] = id;
  int* fresh = record(id);
  fresh[kCount] = 0;
  fresh[kNextSlot] = 0;
  m_listInfo.insert(m_listInfo.end(), {0, 0, 0});
  if (!m_sameActive) {
    listFields(id)[kListLength] = kOnlyItself;
    return id;
  }

  if (m_lemmas) {
    const std::vector<int>& lemmas = m_lemmas->lemmasOf(word);
    findLemmaReceivers(id, lemmas, m_receivers);
    setList(id, m_receivers);
    for (int receiver : m_receivers) {
      if (receiver != id) addReceiver(receiver, id);
    }
    for (int lemma : lemmas) m_entriesOfLemma[lemma].push_back(id);
    return id;
  }

  findReceivers(id, m_receivers);
  setList(id, m_receivers);
  // Similarity is symmetric, so the entries that the new word's occurrences
  // go to are the entries whose occurrences now go to the new entry too,
  // and one more: a one-letter word's candidates are all the keys that
  // begin with it, while no longer word has a one-letter key among its own.
  if (word.size() >= 2) {
    for (int receiver : m_receivers) {
      if (receiver != id) addReceiver(receiver, id);
    }
    int initial = m_oneByteEntries[static_cast<unsigned char>(word[0])];
    if (initial != WordIndex::kAbsent &&
        equivalent(m_keys, m_keys.keyOf(initial), m_keys.keyOf(id), m_settings)) {
      addReceiver(initial, id);
    }
  }
  return id;
}

// The length of the beginning that every key equivalent to a word of
// `length` bytes shares with it: the two bytes that bound the candidate
// run, and what similarity asks of any key but the word itself (which is
// always equivalent for percentages below 100).
size_t WordTable::sharedBeginning(size_t length) const {
  if (!m_sameActive) return length + 1;
  size_t candidateRun = std::min<size_t>(2, length);
  return std::max(candidateRun, similarBeginning(length, m_settings));
}

// Calls visit(id, record) on the entries that an occurrence of the word of `entry`
// goes to, in key order: the candidates are the keys that share the word's
// first two bytes, and only those sharing the longer beginning above can
// be equivalent; they form the run around the word's own key.
template <typename Visit>
void WordTable::walkReceivers(int entry, Visit visit) {
  const Key own = m_keys.keyOf(entry);
  size_t shared = sharedBeginning(own.length);
  if (shared > own.length) {
    if (equivalent(m_keys, own, own, m_settings)) visit(entry, record(entry));
    return;
  }
  const RunTest test(m_keys, own, shared, m_settings);
  KeyOrder::Cursor first =
      m_keys.firstOfRun(m_keys.cursorAt(entry), [&](const Key& key) { return test.inRun(key); });
  m_keys.walk(first, [&](const Key& key, int* fields) {
    if (!test.inRun(key)) return false;
    if (test.equivalent(key)) visit(key.id, fields);
    return true;
  });
}

void WordTable::findReceivers(int entry, std::vector<int>& receivers) {
  receivers.clear();
  walkReceivers(entry, [&](int id, int*) { receivers.push_back(id); });
}

// The entries that share a lemma with the new `entry`, and itself, in key
// order.
void WordTable::findLemmaReceivers(int entry, const std::vector<int>& lemmas,
                                   std::vector<int>& receivers) {
  receivers.assign(1, entry);
  for (int lemma : lemmas) {
    auto family = m_entriesOfLemma.find(lemma);
    if (family != m_entriesOfLemma.end()) {
      receivers.insert(receivers.end(), family->second.begin(), family->second.end());
    }
  }
  auto inKeyOrder = [this](int a, int b) { return m_keys.less(m_keys.keyOf(a), m_keys.keyOf(b)); };
  std::sort(receivers.begin(), receivers.end(), inKeyOrder);
  receivers.erase(std::unique(receivers.begin(), receivers.end()), receivers.end());
}

// The list of a new entry.
void WordTable::setList(int entry, const std::vector<int>& receivers) {
  auto length = static_cast<int>(receivers.size());
  int listStart = 0;
  if (length == 1 && receivers[0] == entry) {
    length = kOnlyItself;
  } else if (length > kLongestList && !m_lemmas) {
    length = kWalksItsRun;
  } else if (length > 0) {
    listStart = allocateList(length);
    std::copy(receivers.begin(), receivers.end(), m_lists.begin() + listStart);
  }
  int* fields = listFields(entry);
  fields[kListStart] = listStart;
  fields[kListLength] = length;
  fields[kListSorted] = length;
}

// Adds `receiver` at the end of the list of `entry`.
void WordTable::addReceiver(int entry, int receiver) {
  int* fields = listFields(entry);
  int length = fields[kListLength];
  if (length == kWalksItsRun) return;
  if (length + 1 > kLongestList && !m_lemmas) {
    freeList(fields[kListStart], length);
    fields[kListLength] = kWalksItsRun;
    return;
  }
  int start = fields[kListStart];
  if (length == kOnlyItself) {
    start = allocateList(2);
    m_lists[static_cast<size_t>(start)] = entry;
    length = 1;
    fields[kListSorted] = 1;
  } else if (length == 0 || chunkClass(length + 1) != chunkClass(length)) {
    int moved = allocateList(length + 1);
    std::copy_n(m_lists.begin() + start, length, m_lists.begin() + moved);
    if (length > 0) freeList(start, length);
    start = moved;
  }
  m_lists[static_cast<size_t>(start + length)] = receiver;
  fields[kListStart] = start;
  fields[kListLength] = length + 1;
}

// Puts the ids added at the end of the list of `entry` in key order among
// the others.
void WordTable::sortList(int entry) {
  int* fields = listFields(entry);
  int* list = m_lists.data() + fields[kListStart];
  m_sortedKeys.clear();
  for (int i = 0; i < fields[kListLength]; ++i) m_sortedKeys.push_back(m_keys.keyOf(list[i]));
  auto inKeyOrder = [this](const Key& a, const Key& b) { return m_keys.less(a, b); };
  auto added = m_sortedKeys.begin() + fields[kListSorted];
  std::sort(added, m_sortedKeys.end(), inKeyOrder);
  std::inplace_merge(m_sortedKeys.begin(), added, m_sortedKeys.end(), inKeyOrder);
  for (size_t i = 0; i < m_sortedKeys.size(); ++i) list[i] = m_sortedKeys[i].id;
  fields[kListSorted] = fields[kListLength];
}

int WordTable::allocateList(int length) {
  size_t sizeClass = chunkClass(length);
  if (m_freeChunks.size() <= sizeClass) m_freeChunks.resize(sizeClass + 1);
  std::vector<int>& free = m_freeChunks[sizeClass];
  if (!free.empty()) {
    int start = free.back();
    free.pop_back();
    return start;
  }
  auto start = static_cast<int>(m_lists.size());
  m_lists.resize(m_lists.size() + (size_t{1} << sizeClass));
  return start;
}

void WordTable::freeList(int start, int length) {
  m_freeChunks[chunkClass(length)].push_back(start);
}

void WordTable::prefetch(int entry) const {
  __builtin_prefetch(listFields(entry));
  m_keys.prefetchLocation(entry);
}

void WordTable::prefetchEquivalents(int entry) const {
  const int* fields = listFields(entry);
  if (fields[kListLength] == kOnlyItself) m_keys.prefetchState(entry);
  if (fields[kListLength] > 0)
    __builtin_prefetch(&m_lists[static_cast<size_t>(fields[kListStart])]);
}

void WordTable::recordOccurrenceOf(int entry, int start, std::vector<int>& closeStarts,
                                   std::vector<int>& distantStarts) {
  int* fields = listFields(entry);
  int length = fields[kListLength];
  if (length == kOnlyItself) {
    recordIn(record(entry), start, closeStarts, distantStarts);
  } else if (length == kWalksItsRun) {
    walkReceivers(entry,
                  [&](int, int* fields) { recordIn(fields, start, closeStarts, distantStarts); });
  } else {
    if (fields[kListSorted] < length) sortList(entry);
    // Each record is found through where its key lies: asking for all the
    // places, then all the records, lets the processor fetch them together.
    const int* list = m_lists.data() + fields[kListStart];
    for (int i = 0; i < length; ++i) m_keys.prefetchLocation(list[i]);
    for (int i = 0; i < length; ++i) m_keys.prefetchState(list[i]);
    for (int i = 0; i < length; ++i) recordIn(record(list[i]), start, closeStarts, distantStarts);
  }
}

void WordTable::recordIn(int* fields, int start, std::vector<int>& closeStarts,
                         std::vector<int>& distantStarts) {
  int* ring = fields + kRing;
  int newest = fields[kNextSlot];
  int following = newest + 1 == m_ringSize ? 0 : newest + 1;
  fields[kNextSlot] = following;
  ++fields[kCount];
  ring[newest] = start;

  if (m_distantActive) {
    int oldest = ring[following];
    if (oldest != -1 && start - oldest < m_distantDistance) {
      distantStarts.insert(distantStarts.end(), ring, ring + m_ringSize);
    }
  }
  if (m_closeActive) {
    int previous = ring[newest == 0 ? m_ringSize - 1 : newest - 1];
    if (previous != -1 && start - previous < m_closeDistance) {
      closeStarts.push_back(previous);
      closeStarts.push_back(start);
    }
  }
}

std::vector<WordTable::KeyCount> WordTable::countsInKeyOrder() const {
  std::vector<KeyCount> counts;
  counts.reserve(static_cast<size_t>(m_keys.size()));
  m_keys.forEach([&](const Key& key, const int* fields) {
    counts.push_back({m_keys.text(key.id), fields[kCount], static_cast<int>(key.id)});
  });
  return counts;
}

}  // namespace verbolt
