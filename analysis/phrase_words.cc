#include "analysis/phrase_words.h"

#include <string>
#include <utility>

#include "analysis/equivalence.h"
#include "analysis/sentence_marks.h"
#include "text/words.h"

namespace verbolt {

namespace {

std::uint64_t bytesHash(std::string_view bytes) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (unsigned char c : bytes) hash = (hash ^ c) * 0x100000001B3ull;
  return hash;
}

// Ids of the distinct words, in a flat table: a novel has some ten
// thousand distinct words and millions of occurrences to look up.
class WordIds {
 public:
  WordIds() : m_slots(1024, 0) {}

  // The id of `word`, and whether it is new.
  std::pair<int, bool> idOf(std::string_view word) {
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = bytesHash(word) & mask;; slot = (slot + 1) & mask) {
      if (m_slots[slot] == 0) {
        m_words.push_back(word);
        m_slots[slot] = static_cast<int>(m_words.size());
        if (m_words.size() * 2 > m_slots.size()) grow();
        return {static_cast<int>(m_words.size()) - 1, true};
      }
      if (m_words[m_slots[slot] - 1] == word) return {m_slots[slot] - 1, false};
    }
  }

 private:
  void grow() {
    std::vector<int> slots(m_slots.size() * 2, 0);
    const size_t mask = slots.size() - 1;
    for (size_t id = 0; id < m_words.size(); ++id) {
      size_t slot = bytesHash(m_words[id]) & mask;
      while (slots[slot] != 0) slot = (slot + 1) & mask;
      slots[slot] = static_cast<int>(id) + 1;
    }
    m_slots.swap(slots);
  }

  std::vector<int> m_slots;  // id + 1; 0 for an empty slot
  std::vector<std::string_view> m_words;
};

}  // namespace

std::vector<PhraseWord> wordsOf(std::string_view text, const AnalysisSettings& settings) {
  AnalysisSettings plain = settings;
  plain.m_sameActive = false;
  plain.m_lemmas.reset();
  WordIds ids;
  std::vector<std::pair<bool, bool>> kinds;
  std::vector<PhraseWord> words;
  words.reserve(text.size() / 5);  // prose has a word every five or six letters
  size_t sentence = 0;
  size_t scanned = 0;
  forEachWord(text, [&](size_t begin, size_t end) {
    bool ended = false;
    for (; scanned < begin; ++scanned) {
      ended |= endsASentence(static_cast<unsigned char>(text[scanned]));
    }
    if (ended && !words.empty()) ++sentence;
    scanned = end;
    const std::string_view word = text.substr(begin, end - begin);
    const auto [id, added] = ids.idOf(word);
    if (added) {
      kinds.emplace_back(
          settings.m_skipActive && findWordInList(word, plain.m_skipWords, plain) >= 0,
          !isSkipped(word, plain));
    }
    words.push_back({begin, end, id, sentence, kinds[id].first, kinds[id].second});
  });
  return words;
}

}  // namespace verbolt
