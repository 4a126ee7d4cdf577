// Lemma ids of words, each distinct word looked up once: the analysis asks
// for a word's lemmas at every comparison, the dictionary is slow.
//
// One thread only: the first thread that asks for lemmas owns the cache,
// and no other thread may ask after it. Every answer may add to the maps,
// and Hunspell behind them is not made to be shared either, so a second
// thread would race the first: a program that checks texts side by side
// asks from one thread, or gives each thread a cache of its own. Builds
// with assertions (NDEBUG not defined) check the rule at every question.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "settings/lemma_source.h"

namespace verbolt {

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
  // Takes the calling thread as the owner on the first question, and
  // asserts that every later one comes from it.
  void checkOwner();

  std::thread::id m_owner;  // none before the first question
  LookUp m_lookUp;
  size_t m_lookUps = 0;
  std::unordered_map<std::string, std::vector<int>, Hash, std::equal_to<>> m_lemmasOfWord;
  std::unordered_map<std::string, int, Hash, std::equal_to<>> m_lemmaIds;
};

}  // namespace verbolt
