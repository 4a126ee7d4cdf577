// The word table: every counted occurrence, recorded under each equivalent
// word form met so far, with the rings that reveal close and distant
// repetitions.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analysis/key_order.h"
#include "analysis/word_index.h"
#include "settings/analysis_settings.h"

namespace verbolt {

class WordTable {
 public:
  // Keeps a reference to `settings`, which must outlive the table.
  explicit WordTable(const AnalysisSettings& settings);

  // Makes room for `entries` entries without growing on the way.
  void reserve(size_t entries);

  // The id of a new entry for `word` (lowered, not skipped), for a caller
  // that knows the table has none yet and keeps the bytes of `word` where
  // they are as long as the table: the table keeps no copy of its own. Ids
  // count up from 0 in order of creation.
  int addEntry(std::string_view word);

  // Records an occurrence starting at `start` of the word whose own entry
  // is `entry`, and appends the repetitions it completes.
  void recordOccurrenceOf(int entry, int start, std::vector<int>& closeStarts,
                          std::vector<int>& distantStarts);

  // Ask the processor to fetch, in turn, what the recording of an
  // upcoming occurrence of the word whose own entry is `entry` reads first
  // and what it reads next.
  void prefetch(int entry) const;
  void prefetchEquivalents(int entry) const;

  // Every key with its count, in key order: what the Top-100 ranks.
  struct KeyCount {
    std::string_view key;
    int count;
    int entry = -1;  // the id addEntry gave it
  };
  std::vector<KeyCount> countsInKeyOrder() const;

  // Calls visit(key, count, ring) for every entry in key order. The ring
  // holds the positions of the entry's last occurrences: slot (count mod
  // its size) receives the next one, and -1 is an empty slot.
  template <typename Visit>
  void forEachEntry(Visit visit) const {
    m_keys.forEach([&](const Key& key, const int* fields) {
      visit(m_keys.text(key.id), fields[kCount],
            std::span<const int>(fields + kRing, static_cast<size_t>(m_ringSize)));
    });
  }

 private:
  // Each entry has a record beside its key: its count, the slot of its
  // ring that takes the next occurrence (count mod ring size, kept without a
  // division), then the ring. Kept in key order, the records of equivalent
  // words lie side by side.
  enum RecordField { kCount, kNextSlot, kRing };
  // Beside it, where the list of the entries its occurrences go to lies in
  // m_lists, its length, and how many of its first ids are in key order. The
  // entries a new key joins take it at the end of their lists, which are
  // put back in key order when next used: a large family gains many keys
  // between two occurrences of one of its words. An entry whose occurrences
  // go to itself alone has no list (kOnlyItself), and one whose list would
  // grow past kLongestList finds them by walking the keys around its own
  // instead (kWalksItsRun), so that the lists never take more than a
  // bounded share of memory per entry. Families by dictionary form have no
  // run of keys to walk: their lists hold them all, a family being as large
  // as the forms of one or two words.
  enum ListField { kListStart, kListLength, kListSorted, kListFields };
  static constexpr int kOnlyItself = -1;
  static constexpr int kWalksItsRun = -2;
  static constexpr int kLongestList = 64;

  using Key = KeyOrder::Key;

  int* record(int entry) { return m_keys.stateOf(entry); }
  const int* record(int entry) const { return m_keys.stateOf(entry); }
  int* listFields(int entry) {
    return m_listInfo.data() + static_cast<size_t>(entry) * kListFields;
  }
  const int* listFields(int entry) const {
    return m_listInfo.data() + static_cast<size_t>(entry) * kListFields;
  }

  size_t sharedBeginning(size_t length) const;
  void findReceivers(int entry, std::vector<int>& receivers);
  void findLemmaReceivers(int entry, const std::vector<int>& lemmas, std::vector<int>& receivers);
  template <typename Visit>
  void walkReceivers(int entry, Visit visit);
  void setList(int entry, const std::vector<int>& receivers);
  void addReceiver(int entry, int receiver);
  void sortList(int entry);
  int allocateList(int length);
  void freeList(int start, int length);
  void recordIn(int* record, int start, std::vector<int>& closeStarts,
                std::vector<int>& distantStarts);

  const AnalysisSettings& m_settings;
  // Set when similar words share a dictionary form: then the entries of
  // each lemma, in order of creation, find the family of a new word.
  LemmaSource* m_lemmas;
  std::unordered_map<int, std::vector<int>> m_entriesOfLemma;
  int m_ringSize;
  bool m_sameActive;
  bool m_closeActive;
  bool m_distantActive;
  int m_closeDistance;
  int m_distantDistance;
  KeyOrder m_keys;
  // The entry of each one-byte word, or WordIndex::kAbsent.
  std::array<int, 256> m_oneByteEntries;
  std::vector<int> m_listInfo;  // kListFields ints per entry id
  // The lists, in chunks of a power of two ints; a chunk a list has
  // outgrown is kept for another list of its size.
  std::vector<int> m_lists;
  std::vector<std::vector<int>> m_freeChunks;
  std::vector<int> m_receivers;
  std::vector<Key> m_sortedKeys;
};

}  // namespace verbolt
