// The dictionary forms (lemmas) of words, by number: what families of
// words by dictionary form are made of. The analysis asks for the lemmas
// of each word; which dictionary answers is the caller's business. A
// source may fill itself as it answers: it is asked from one thread (see
// lemma/lemma_cache.h), which is why an analysis with one does not share
// its pass between threads.
#pragma once

#include <string_view>
#include <vector>

namespace verbolt {

class LemmaSource {
 public:
  virtual ~LemmaSource() = default;

  // The lemmas of `word` (lowered Windows-1252 bytes) as ids, ascending and
  // without repeats; none when the dictionary does not know the word. The
  // list stays where it is as long as the source.
  virtual const std::vector<int>& lemmasOf(std::string_view word) = 0;
};

}  // namespace verbolt
