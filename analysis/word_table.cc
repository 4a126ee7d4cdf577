#include "analysis/word_table.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "analysis/equivalence.h"
#include "analysis/word_head.h"

namespace {

constexpr int kStampBits = 18;

// Map chunks hold a power of two words; class c holds 2^c.
size_t chunkClass(int words) {
  return static_cast<size_t>(std::bit_width(static_cast<unsigned>(words) - 1));
}

int wordsFor(int bits) { return (bits + 63) / 64; }

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
      : keys_(keys),
        own_(own),
        shared_(shared),
        settings_(settings),
        percent_(settings.m_samePercent),
        plainPercent_(settings.m_samePercent >= 0 && settings.m_samePercent <= 100) {}

  bool inRun(const Key& key) const { return beginsWith(keys_, key, own_, shared_); }

  bool equivalent(const Key& key) const {
    size_t common = commonBeginning(keys_, own_, key);
    if (!plainPercent_) {
      return similarByCommonBeginning(common, std::max(own_.length, key.length), settings_);
    }
    // common * 100 > length * percent, that is common > length * percent / 100.
    return key.length <= own_.length || static_cast<std::int64_t>(key.length) * percent_ <
                                            static_cast<std::int64_t>(common) * 100;
  }

 private:
  const KeyOrder& keys_;
  const Key own_;
  const size_t shared_;
  const AnalysisSettings& settings_;
  const std::int64_t percent_;
  const bool plainPercent_;
};

}  // namespace

WordTable::WordTable(const AnalysisSettings& settings)
    : settings_(settings),
      ringSize_(std::max(1, settings.m_distantNb)),
      sameActive_(settings.m_sameActive != 0),
      sameLetters_(static_cast<size_t>(std::max(0, settings.m_sameNbLetters))),
      samePercent_(std::max(0, settings.m_samePercent)),
      closeActive_(settings.m_closeActive != 0),
      distantActive_(settings.m_distantActive != 0),
      closeDistance_(settings.m_closeDistance),
      distantDistance_(settings.m_distantDistance),
      keys_(kRing + static_cast<size_t>(ringSize_), -1),
      beginningStamps_(size_t{1} << kStampBits, 0) {}

void WordTable::recordOccurrence(std::string_view word, int start, std::vector<int>& closeStarts,
                                 std::vector<int>& distantStarts) {
  recordOccurrenceOf(entryFor(word), start, closeStarts, distantStarts);
}

int WordTable::entryFor(std::string_view word) {
  int id = keys_.find(word);
  if (id != WordIndex::kAbsent) return id;
  entriesCurrent_ = false;

  // The arrival counts of the key's beginnings that a list can depend on:
  // no shared beginning is shorter than the minimum number of letters, and
  // lists only change with similar words on. They lie far apart in memory,
  // so they are asked for before the key is placed and counted after.
  std::uint64_t head[2];
  wordHead(word, head);
  size_t stamped[kStampedBytes];
  size_t stampedCount = 0;
  if (sameActive_) {
    size_t shortest = std::clamp<size_t>(sameLetters_, 1, kStampedBytes);
    for (size_t length = shortest; length <= std::min(word.size(), kStampedBytes); ++length) {
      stamped[stampedCount] = stampSlot(head[0], length);
      __builtin_prefetch(&beginningStamps_[stamped[stampedCount++]]);
    }
  }

  id = keys_.add(word);
  int* state = keys_.stateOf(id);
  state[kCount] = 0;
  state[kNextSlot] = 0;
  for (size_t i = 0; i < stampedCount; ++i) ++beginningStamps_[stamped[i]];

  const Key key = keys_.key(keys_.cursorAt(id));
  size_t shared = sharedBeginning(key.length);
  bool listCanChange = shared <= key.length;
  int onlyItself = equivalent(keys_, key, key, settings_) ? kOnlyItself : 0;
  // A list that can change starts out of date, so that the first
  // occurrence makes it.
  listInfo_.insert(
      listInfo_.end(),
      {listCanChange ? kListOutdated : kListNeverChanges,
       listCanChange ? static_cast<int>(stampSlot(key.head[0], shared)) : 0, id, onlyItself, 0});
  return id;
}

// The length of the beginning that every key equivalent to a word of
// `length` bytes shares with it, beyond the two bytes that bound the
// candidate run. A key equal to the word is always equivalent (for
// percentages below 100); any other needs both the minimum number of
// letters and more than the percentage of the longer word, hence more than
// that share of the word itself.
size_t WordTable::sharedBeginning(size_t length) const {
  if (!sameActive_) return length + 1;
  size_t candidateRun = std::min<size_t>(2, length);
  auto share = static_cast<size_t>(static_cast<long long>(length) * samePercent_ / 100);
  return std::max({candidateRun, sameLetters_, share + 1});
}

// Where the count of arrivals of keys that begin with the first `length`
// bytes (up to kStampedBytes of them) of the key whose head is `head` lies
// in beginningStamps_.
size_t WordTable::stampSlot(std::uint64_t head, size_t length) const {
  length = std::min(length, kStampedBytes);
  std::uint64_t beginning = head & firstBytesMask(length);
  std::uint64_t hash = (beginning ^ length) * 0x9E3779B97F4A7C15ull;
  return static_cast<size_t>(hash >> (64 - kStampBits));
}

// The candidates of an occurrence are the keys that share the word's first
// two bytes, in key order; only those sharing the longer beginning above
// can be equivalent, and they form the run around the word's own key.
void WordTable::makeList(int entry) {
  KeyOrder::Cursor at = keys_.cursorAt(entry);
  const RunTest test(keys_, keys_.key(at), sharedBeginning(keys_.key(at).length), settings_);
  KeyOrder::Cursor first = keys_.firstOfRun(at, [&](const Key& key) { return test.inRun(key); });
  newMarks_.clear();
  int length = 0;
  int marked = 0;
  bool ownMarked = false;
  std::uint64_t marks = 0;
  keys_.walk(first, [&](const Key& key, int*) {
    if (!test.inRun(key)) return false;
    if (test.equivalent(key)) {
      marks |= std::uint64_t{1} << (length % 64);
      ++marked;
      ownMarked = ownMarked || key.id == entry;
    }
    if (++length % 64 == 0) {
      newMarks_.push_back(marks);
      marks = 0;
    }
    return true;
  });
  if (length % 64 != 0) newMarks_.push_back(marks);

  int* fields = listFields(entry);
  int oldWords = fields[kRunLength] > 0 ? wordsFor(fields[kRunLength]) : 0;
  int words = static_cast<int>(newMarks_.size());
  if (marked == 1 && ownMarked) {
    words = 0;
    length = kOnlyItself;
  } else if (marked == 0) {
    words = 0;
    length = 0;
  }
  bool fits = oldWords > 0 && words > 0 && chunkClass(words) == chunkClass(oldWords);
  if (oldWords > 0 && !fits) freeChunks_[chunkClass(oldWords)].push_back(fields[kMarksStart]);
  if (words > 0 && !fits) fields[kMarksStart] = allocateMarks(words);
  if (words > 0)
    std::copy(newMarks_.begin(), newMarks_.end(), marks_.begin() + fields[kMarksStart]);
  fields[kRunFirst] = keys_.key(first).id;
  fields[kRunLength] = length;
}

int WordTable::allocateMarks(int words) {
  size_t sizeClass = chunkClass(words);
  if (freeChunks_.size() <= sizeClass) freeChunks_.resize(sizeClass + 1);
  std::vector<int>& free = freeChunks_[sizeClass];
  if (!free.empty()) {
    int start = free.back();
    free.pop_back();
    return start;
  }
  auto start = static_cast<int>(marks_.size());
  marks_.resize(marks_.size() + (size_t{1} << sizeClass));
  return start;
}

void WordTable::prefetch(int entry) const {
  __builtin_prefetch(listFields(entry));
  keys_.prefetchLocation(entry);
}

void WordTable::prefetchEquivalents(int entry) const {
  const int* fields = listFields(entry);
  if (fields[kListStamp] != kListNeverChanges) {
    __builtin_prefetch(&beginningStamps_[static_cast<size_t>(fields[kStampSlot])]);
  }
  if (fields[kRunLength] > 0) {
    __builtin_prefetch(&marks_[static_cast<size_t>(fields[kMarksStart])]);
    keys_.prefetchLocation(fields[kRunFirst]);
  } else {
    keys_.prefetchState(entry);
  }
}

void WordTable::recordOccurrenceOf(int entry, int start, std::vector<int>& closeStarts,
                                   std::vector<int>& distantStarts) {
  entriesCurrent_ = false;
  int* fields = listFields(entry);
  if (fields[kListStamp] != kListNeverChanges) {
    int stamp = beginningStamps_[static_cast<size_t>(fields[kStampSlot])];
    if (fields[kListStamp] != stamp) {
      makeList(entry);
      fields[kListStamp] = stamp;
    }
  }
  int length = fields[kRunLength];
  if (length == kOnlyItself) {
    recordIn(keys_.stateOf(entry), start, closeStarts, distantStarts);
  } else if (length > 0) {
    keys_.forEachMarked(keys_.cursorAt(fields[kRunFirst]), length,
                        marks_.data() + fields[kMarksStart],
                        [&](int* state) { recordIn(state, start, closeStarts, distantStarts); });
  }
}

void WordTable::recordIn(int* state, int start, std::vector<int>& closeStarts,
                         std::vector<int>& distantStarts) {
  int* ring = state + kRing;
  int newest = state[kNextSlot];
  int following = newest + 1 == ringSize_ ? 0 : newest + 1;
  state[kNextSlot] = following;
  ++state[kCount];
  ring[newest] = start;

  if (distantActive_) {
    int oldest = ring[following];
    if (oldest != -1 && start - oldest < distantDistance_) {
      distantStarts.insert(distantStarts.end(), ring, ring + ringSize_);
    }
  }
  if (closeActive_) {
    int previous = ring[newest == 0 ? ringSize_ - 1 : newest - 1];
    if (previous != -1 && start - previous < closeDistance_) {
      closeStarts.push_back(previous);
      closeStarts.push_back(start);
    }
  }
}

std::vector<WordTable::KeyCount> WordTable::countsInKeyOrder() const {
  std::vector<KeyCount> counts;
  counts.reserve(static_cast<size_t>(keys_.size()));
  keys_.forEach([&](const Key& key, const int* state) {
    counts.push_back({keys_.text(key.id), state[kCount]});
  });
  return counts;
}

const WordEntries& WordTable::entries() const {
  if (!entriesCurrent_) {
    entries_.clear();
    keys_.forEach([&](const Key& key, const int* state) {
      entries_.emplace_hint(
          entries_.end(), std::string(keys_.text(key.id)),
          WordEntry{state[kCount], std::vector<int>(state + kRing, state + kRing + ringSize_)});
    });
    entriesCurrent_ = true;
  }
  return entries_;
}
