// Lemma ids of words, each distinct word looked up once: the analysis asks
// for a word's lemmas at every comparison, the dictionary is slow.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/lemma_source.h"

class LemmaCache : public LemmaSource {
 public:
  // The lemmas of a word, as the dictionary spells them; none when unknown.
  using LookUp = std::function<std::vector<std::string>(std::string_view word)>;

  explicit LemmaCache(LookUp lookUp) : m_lookUp(std::move(lookUp)) {}

  const std::vector<int>& lemmasOf(std::string_view word) override;

  // How many times the dictionary was consulted.
  size_t lookUps() const { return m_lookUps; }

 private:
  // Heterogeneous look-up: a word is found without copying it first.
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };

  int idOf(const std::string& lemma);

  LookUp m_lookUp;
  size_t m_lookUps = 0;
  std::unordered_map<std::string, std::vector<int>, Hash, std::equal_to<>> m_lemmasOfWord;
  std::unordered_map<std::string, int, Hash, std::equal_to<>> m_lemmaIds;
};
