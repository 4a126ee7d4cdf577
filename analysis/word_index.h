// A hash index from words to dense ids (0, 1, 2... in order of first
// insertion), so that the analysis pass finds a word's facts with one probe
// instead of a walk down an ordered tree.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace verbolt {

class WordIndex {
 public:
  static constexpr int kAbsent = -1;

  // Makes room for `words` words without growing on the way.
  void reserve(size_t words);

  // Id of `word`, or kAbsent.
  int find(std::string_view word) const;

  // Id of `word`, giving it the next id when it is new. A caller that
  // already knows the word's hashWord may pass it.
  int insert(std::string_view word);
  int insert(std::string_view word, std::uint64_t hash);

  // Asks the processor to fetch the slot where a word of this hashWord
  // lies, so that a later find or insert does not wait for memory.
  void prefetch(std::uint64_t hash) const {
    __builtin_prefetch(&m_slots[static_cast<size_t>(hash) & (m_slots.size() - 1)]);
  }

  // The index's own copy of the word, valid as long as the index.
  std::string_view word(int id) const { return m_words[static_cast<size_t>(id)]; }
  int size() const { return static_cast<int>(m_words.size()); }

 private:
  // A slot holds the first 8 bytes of its word (zeros after the end) and
  // its length, so that a probe settles without leaving the slot for the
  // words of up to 8 bytes, most words of a text; four slots share a cache
  // line.
  struct Slot {
    std::uint64_t head = 0;
    std::uint32_t length = 0;
    std::int32_t id = kAbsent;
  };

  // The slot `word` would fill, without its id.
  static Slot slotFor(std::string_view word);
  size_t slotOf(const Slot& wanted, std::string_view word, std::uint64_t hash) const;
  std::string_view keep(std::string_view word);
  void grow();
  void rehash(size_t slots);

  std::vector<Slot> m_slots = std::vector<Slot>(1024);
  std::vector<std::string_view> m_words;
  // Copies of the words, in blocks that never move.
  std::vector<std::unique_ptr<char[]>> m_blocks;
  size_t m_blockLeft = 0;
  char* m_blockEnd = nullptr;
};

// The hash the index uses; any byte string, any length.
std::uint64_t hashWord(std::string_view word);

}  // namespace verbolt
