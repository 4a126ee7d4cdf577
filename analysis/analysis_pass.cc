#include "analysis/analysis_pass.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "analysis/equivalence.h"
#include "analysis/search.h"
#include "analysis/top100_report.h"
#include "analysis/word_index.h"
#include "analysis/word_table.h"
#include "analysis/words.h"

namespace {

// The pass walks the text once; this gauge interval keeps the gauge cheap.
constexpr unsigned kProgressInterval = 2000;

// The word search and the skip filter look at nothing but the word, so
// each distinct word is judged once, when it first appears.
struct WordFacts {
  bool searched;
  int entry;  // its own entry in the word table; kSkipped when skipped
};
constexpr int kSkipped = -1;

// Words are handled in small batches so that the memory each one needs (its
// slot in the word index, its facts, its table entry) is asked for ahead
// of use: a long text has tens of thousands of distinct words, and waiting
// for each of them in turn would cost more than all the rest of the pass.
constexpr size_t kBatchSize = 32;

// Prose brings a new word every few dozen bytes at first and ever more
// rarely later: room for that many spares the index most of its growing.
constexpr size_t kBytesPerNewWord = 32;
constexpr size_t kMostReservedWords = size_t{1} << 16;

struct PendingWord {
  int start;
  int length;
  std::uint64_t hash;
  int id;
  int entry;
};

class Pass {
 public:
  Pass(std::string_view text, const AnalysisSettings& settings, RepeatedStarts repeats)
      : text_(text),
        settings_(settings),
        repeats_(repeats),
        table_(settings),
        phrases_(settings.m_phrasesList) {
    size_t expectedWords = std::min(text.size() / kBytesPerNewWord, kMostReservedWords);
    words_.reserve(expectedWords);
    table_.reserve(expectedWords);
  }

  // Words and phrases of [from, to); a word still running at `to` is
  // completed by a later call or by finish().
  void scan(size_t from, size_t to) {
    scanWords(from, to);
    if (settings_.m_phrasesActive) phrases_.findIn(text_, from, to, result_.phraseRanges);
  }

  AnalysisResult finish() {
    if (inWord_) addWord(wordStart_, text_.size());
    handleBatch();
    if (repeats_ == RepeatedStarts::kCollapsed) {
      collapse(result_.closeStarts);
      collapse(result_.distantStarts);
    }
    result_.report = buildTop100Report(table_, settings_);
    return std::move(result_);
  }

 private:
  // Words begin where a word character follows a separator (or the start
  // of the text) and end where a separator follows a word character, so
  // the scan reads the boundaries of 64 bytes at a time off their mask.
  void scanWords(size_t from, size_t to) {
    for (size_t f = from; f < to; f += 64) {
      size_t count = std::min<size_t>(64, to - f);
      std::uint64_t letters = wordCharMask(text_.data() + f, count);
      std::uint64_t before = (letters << 1) | (inWord_ ? 1 : 0);
      std::uint64_t starts = letters & ~before;
      std::uint64_t ends = ~letters & before;
      if (count < 64) ends &= (std::uint64_t{1} << count) - 1;
      for (std::uint64_t edges = starts | ends; edges != 0; edges &= edges - 1) {
        size_t at = f + static_cast<size_t>(std::countr_zero(edges));
        if (inWord_) {
          addWord(wordStart_, at);
        } else {
          wordStart_ = at;
        }
        inWord_ = !inWord_;
      }
    }
  }

  void addWord(size_t start, size_t end) {
    batch_[batchSize_++] = {static_cast<int>(start), static_cast<int>(end - start), 0, 0, 0};
    if (batchSize_ == kBatchSize) handleBatch();
  }

  std::string_view wordOf(const PendingWord& word) const {
    return text_.substr(static_cast<size_t>(word.start), static_cast<size_t>(word.length));
  }

  void handleBatch() {
    PendingWord* const words = batch_.data();
    const size_t count = batchSize_;
    for (size_t i = 0; i < count; ++i) {
      words[i].hash = hashWord(wordOf(words[i]));
      words_.prefetch(words[i].hash);
    }
    for (size_t i = 0; i < count; ++i) {
      words[i].id = words_.insert(wordOf(words[i]), words[i].hash);
      if (static_cast<size_t>(words[i].id) < facts_.size())
        __builtin_prefetch(&facts_[words[i].id]);
    }
    for (size_t i = 0; i < count; ++i) {
      words[i].entry = knownEntry(words[i]);
      if (words[i].entry != kSkipped) table_.prefetch(words[i].entry);
    }
    for (size_t i = 0; i < count; ++i) {
      if (words[i].entry != kSkipped) table_.prefetchEquivalents(words[i].entry);
    }
    for (size_t i = 0; i < count; ++i) wordCompleted(words[i]);
    batchSize_ = 0;
  }

  // The table entry of a word met before, if it has one.
  int knownEntry(const PendingWord& word) const {
    auto id = static_cast<size_t>(word.id);
    return id < facts_.size() ? facts_[id].entry : kSkipped;
  }

  // What happens at the end of each word: the word search first, then the
  // skip filter, and only then the word table, so a searched word is shown
  // even when it is skipped.
  void wordCompleted(const PendingWord& word) {
    // New words take the next id in text order, so the first occurrence of
    // each is judged here, in turn, before any later word is recorded.
    if (static_cast<size_t>(word.id) == facts_.size()) {
      facts_.push_back(judge(words_.word(word.id)));
    }
    const WordFacts& facts = facts_[static_cast<size_t>(word.id)];
    if (facts.searched) result_.searchedStarts.push_back(word.start);
    if (facts.entry != kSkipped) {
      table_.recordOccurrenceOf(facts.entry, word.start, result_.closeStarts,
                                result_.distantStarts);
      if (repeats_ == RepeatedStarts::kCollapsed) collapseWhenLarge();
    }
  }

  // Collapsing each time a list has doubled keeps the work linear in what
  // the rules append and the memory near the number of distinct starts.
  void collapseWhenLarge() {
    for (std::vector<int>* starts : {&result_.closeStarts, &result_.distantStarts}) {
      if (starts->size() < nextCollapse_) continue;
      collapse(*starts);
      nextCollapse_ = std::max(kFirstCollapse, 2 * starts->size());
    }
  }

  // Keeps the first appearance of each start, in order.
  void collapse(std::vector<int>& starts) const {
    std::vector<bool> seen(text_.size());
    size_t kept = 0;
    for (int start : starts) {
      if (seen[static_cast<size_t>(start)]) continue;
      seen[static_cast<size_t>(start)] = true;
      starts[kept++] = start;
    }
    starts.resize(kept);
  }

  WordFacts judge(std::string_view word) {
    bool searched = settings_.m_wordsActive && isSearchedWord(word, settings_);
    // The index keeps the word's bytes as long as the pass, hence the table.
    return {searched, isSkipped(word, settings_) ? kSkipped : table_.addEntry(word)};
  }

  static constexpr size_t kFirstCollapse = size_t{1} << 20;

  std::string_view text_;
  const AnalysisSettings& settings_;
  const RepeatedStarts repeats_;
  size_t nextCollapse_ = kFirstCollapse;
  WordIndex words_;
  std::vector<WordFacts> facts_;  // by id in words_
  WordTable table_;
  PhraseFinder phrases_;
  std::array<PendingWord, kBatchSize> batch_;
  size_t batchSize_ = 0;
  AnalysisResult result_;
  bool inWord_ = false;
  size_t wordStart_ = 0;
};

// The position of the next step of the shared progress counter, counting
// from where it stands now, at which the gauge is due an update.
size_t firstGaugeUpdate() {
  return static_cast<size_t>((kProgressInterval - progressCounter % kProgressInterval) %
                             kProgressInterval);
}

}  // namespace

// Counting the characters one by one would update the gauge at every
// position where the shared counter reaches a multiple of the interval; the
// pass stops at exactly those positions and counts the rest in one step.
AnalysisResult analyzeText(std::string_view text, const AnalysisSettings& settings,
                           const ProgressSink& progress, RepeatedStarts repeats) {
  Pass pass(text, settings, repeats);
  const size_t length = text.size();
  size_t from = 0;
  if (progress) {
    for (size_t f = firstGaugeUpdate(); f < length; f += kProgressInterval) {
      pass.scan(from, f);
      progress(gaugeValue(0.5 * static_cast<double>(f) / static_cast<double>(length)));
      from = f;
    }
  }
  pass.scan(from, length);
  progressCounter += length;
  return pass.finish();
}
