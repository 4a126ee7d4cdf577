#include "analysis/analysis_pass.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <exception>
#include <optional>
#include <thread>

#include "analysis/equivalence.h"
#include "analysis/repeated_start_list.h"
#include "analysis/search.h"
#include "analysis/top100_report.h"
#include "analysis/word_index.h"
#include "analysis/word_split.h"
#include "analysis/word_table.h"
#include "analysis/work_beside.h"
#include "text/words.h"

namespace verbolt {

namespace {

// The pass walks the text once; this gauge interval keeps the gauge cheap.
constexpr unsigned kProgressInterval = 2000;

// Below this length a second thread costs more than it saves.
constexpr size_t kShortestSharedText = 256 * 1024;

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

// The detection work for the words of some buckets (all of them when it
// works alone), and for the phrases that begin in one stretch of the text.
// A word's repetitions never depend on the words of another bucket, so two
// shares can run side by side, each with its own word table.
class Share {
 public:
  Share(std::string_view text, const AnalysisSettings& settings, RepeatedStarts repeats,
        const WordSplit& split, const Buckets& buckets, size_t phrasesFrom, size_t phrasesTo,
        size_t shares)
      : m_text(text),
        m_settings(settings),
        m_split(split),
        m_buckets(buckets),
        m_sharing(shares > 1),
        m_lengthDrops(!settings.m_wordsActive && settings.m_skipActive),
        m_shortestKept(static_cast<size_t>(std::max(0, settings.m_skipNbLettersMin))),
        m_longestKept(static_cast<size_t>(std::max(0, settings.m_skipNbLettersMax))),
        m_phrasesFrom(phrasesFrom),
        m_phrasesTo(phrasesTo),
        m_table(settings),
        m_phrases(settings.m_phrasesList),
        m_close(repeats, shares > 1, text.size()),
        m_distant(repeats, shares > 1, text.size()) {
    size_t expectedWords = std::min(text.size() / kBytesPerNewWord, kMostReservedWords) / shares;
    m_words.reserve(expectedWords);
    m_table.reserve(expectedWords);
  }

  // Words and phrases of [from, to); a word still running at `to` is
  // completed by a later call or by finish().
  void scan(size_t from, size_t to) {
    scanWords(from, to);
    size_t phrasesFrom = std::max(from, m_phrasesFrom);
    size_t phrasesTo = std::min(to, m_phrasesTo);
    if (m_settings.m_phrasesActive && phrasesFrom < phrasesTo) {
      m_phrases.findIn(m_text, phrasesFrom, phrasesTo, m_phraseRanges);
    }
  }

  void finish() {
    if (m_inWord) addWord(m_wordStart, m_text.size(), m_batchSize);
    handleBatch();
  }

  // Count the occurrences of each entry's own word, and note where the
  // first one starts.
  void keepForms() { m_keepsForms = true; }

  // The word table's keys, in key order, with what keepForms noted.
  std::vector<EntryCount> forms() const {
    std::vector<EntryCount> forms;
    for (const WordTable::KeyCount& key : m_table.countsInKeyOrder()) {
      const auto at = static_cast<size_t>(key.entry);
      const bool met = at < m_ownCounts.size();
      forms.push_back({std::string(key.key), key.count, met ? m_ownCounts[at] : 0,
                       met ? m_firstStarts[at] : -1});
    }
    return forms;
  }

  // An entry for a word met before the text this share reads.
  void meetBefore(std::string_view word) {
    const int id = m_words.insert(word);
    if (static_cast<size_t>(id) == m_facts.size()) m_facts.push_back(judge(m_words.word(id)));
  }

  std::vector<int>& phraseRanges() { return m_phraseRanges; }
  std::vector<int>& searchedStarts() { return m_searchedStarts; }
  RepeatedStartList& closeStarts() { return m_close; }
  RepeatedStartList& distantStarts() { return m_distant; }
  const WordTable& table() const { return m_table; }

 private:
  // Words begin where a word character follows a separator (or the start
  // of the text) and end where a separator follows a word character, so
  // the scan reads the boundaries of 64 bytes at a time off their mask. The
  // scan's state stays in locals: as members, every word would wait for
  // the store of the word before.
  void scanWords(size_t from, size_t to) {
    size_t batchSize = m_batchSize;
    bool inWord = m_inWord;
    size_t wordStart = m_wordStart;
    for (size_t f = from; f < to; f += 64) {
      size_t count = std::min<size_t>(64, to - f);
      std::uint64_t letters = wordCharMask(m_text.data() + f, count);
      std::uint64_t before = (letters << 1) | (inWord ? 1 : 0);
      std::uint64_t starts = letters & ~before;
      std::uint64_t ends = ~letters & before;
      if (count < 64) ends &= (std::uint64_t{1} << count) - 1;
      for (std::uint64_t edges = starts | ends; edges != 0; edges &= edges - 1) {
        size_t at = f + static_cast<size_t>(std::countr_zero(edges));
        if (inWord) {
          addWord(wordStart, at, batchSize);
        } else {
          wordStart = at;
        }
        inWord = !inWord;
      }
    }
    m_batchSize = batchSize;
    m_inWord = inWord;
    m_wordStart = wordStart;
  }

  // Puts the word [start, end) into the batch, which holds `batchSize`
  // words, and handles the batch once full.
  void addWord(size_t start, size_t end, size_t& batchSize) {
    m_batch[batchSize] = {static_cast<int>(start), static_cast<int>(end - start), 0, 0, 0};
    batchSize += handles(start, end);
    if (batchSize == kBatchSize) {
      m_batchSize = batchSize;
      handleBatch();
      batchSize = 0;
    }
  }

  // Whether this share handles the word [start, end): one of its own, and
  // not one that the skip filter drops for its length while the word
  // search is off, since such a word leaves no trace at all. Which words
  // those are follows no pattern the processor could guess, so every word
  // is written into the batch and only the words to handle are counted
  // there, and the tests are combined without branches.
  unsigned handles(size_t start, size_t end) const {
    size_t length = end - start;
    unsigned mine = m_sharing ? m_buckets[m_split.bucketOf(m_text, start, end)] : 1u;
    unsigned dropped = m_lengthDrops & ((length < m_shortestKept) | (length > m_longestKept));
    return mine & ~dropped & 1u;
  }

  std::string_view wordOf(const PendingWord& word) const {
    return m_text.substr(static_cast<size_t>(word.start), static_cast<size_t>(word.length));
  }

  void handleBatch() {
    PendingWord* const words = m_batch.data();
    const size_t count = m_batchSize;
    for (size_t i = 0; i < count; ++i) {
      words[i].hash = hashWord(wordOf(words[i]));
      m_words.prefetch(words[i].hash);
    }
    for (size_t i = 0; i < count; ++i) {
      words[i].id = m_words.insert(wordOf(words[i]), words[i].hash);
      if (static_cast<size_t>(words[i].id) < m_facts.size())
        __builtin_prefetch(&m_facts[words[i].id]);
    }
    for (size_t i = 0; i < count; ++i) {
      words[i].entry = knownEntry(words[i]);
      if (words[i].entry != kSkipped) m_table.prefetch(words[i].entry);
    }
    for (size_t i = 0; i < count; ++i) {
      if (words[i].entry != kSkipped) m_table.prefetchEquivalents(words[i].entry);
    }
    for (size_t i = 0; i < count; ++i) wordCompleted(words[i]);
    m_batchSize = 0;
  }

  // The table entry of a word met before, if it has one.
  int knownEntry(const PendingWord& word) const {
    auto id = static_cast<size_t>(word.id);
    return id < m_facts.size() ? m_facts[id].entry : kSkipped;
  }

  // What happens at the end of each word: the word search first, then the
  // skip filter, and only then the word table, so a searched word is shown
  // even when it is skipped.
  void wordCompleted(const PendingWord& word) {
    // New words take the next id in text order, so the first occurrence of
    // each is judged here, in turn, before any later word is recorded.
    if (static_cast<size_t>(word.id) == m_facts.size()) {
      m_facts.push_back(judge(m_words.word(word.id)));
    }
    const WordFacts& facts = m_facts[static_cast<size_t>(word.id)];
    if (facts.searched) m_searchedStarts.push_back(word.start);
    if (facts.entry != kSkipped) {
      if (m_keepsForms) noteForm(facts.entry, word.start);
      m_table.recordOccurrenceOf(facts.entry, word.start, m_close.appended(), m_distant.appended());
      m_close.occurrenceDone(word.start);
      m_distant.occurrenceDone(word.start);
    }
  }

  void noteForm(int entry, int start) {
    const auto at = static_cast<size_t>(entry);
    if (at >= m_ownCounts.size()) {
      m_ownCounts.resize(at + 1, 0);
      m_firstStarts.resize(at + 1, -1);
    }
    if (m_ownCounts[at]++ == 0) m_firstStarts[at] = start;
  }

  WordFacts judge(std::string_view word) {
    bool searched = m_settings.m_wordsActive && isSearchedWord(word, m_settings);
    // The index keeps the word's bytes as long as the share, hence the table.
    return {searched, isSkipped(word, m_settings) ? kSkipped : m_table.addEntry(word)};
  }

  std::string_view m_text;
  const AnalysisSettings& m_settings;
  const WordSplit& m_split;
  const Buckets m_buckets;
  const bool m_sharing;
  const bool m_lengthDrops;
  const size_t m_shortestKept;
  const size_t m_longestKept;
  const size_t m_phrasesFrom;
  const size_t m_phrasesTo;
  WordIndex m_words;
  std::vector<WordFacts> m_facts;  // by id in m_words
  WordTable m_table;
  PhraseFinder m_phrases;
  std::array<PendingWord, kBatchSize> m_batch;
  size_t m_batchSize = 0;
  std::vector<int> m_phraseRanges;
  std::vector<int> m_searchedStarts;
  RepeatedStartList m_close;
  RepeatedStartList m_distant;
  bool m_inWord = false;
  size_t m_wordStart = 0;
  bool m_keepsForms = false;
  std::vector<int> m_ownCounts;    // by entry
  std::vector<int> m_firstStarts;  // by entry
};

// The position of the next step of the thread's progress counter, counting
// from where it stands now, at which the gauge is due an update.
size_t firstGaugeUpdate() {
  return static_cast<size_t>((kProgressInterval - progressCounter % kProgressInterval) %
                             kProgressInterval);
}

// Counting the characters one by one would update the gauge at every
// position where the counter reaches a multiple of the interval; the
// pass stops at exactly those positions and counts the rest in one step.
void scanWhole(Share& share, std::string_view text, const ProgressSink& progress) {
  const size_t length = text.size();
  size_t from = 0;
  if (progress) {
    for (size_t f = firstGaugeUpdate(); f < length; f += kProgressInterval) {
      share.scan(from, f);
      progress(gaugeValue(0.5 * static_cast<double>(f) / static_cast<double>(length)));
      from = f;
    }
  }
  share.scan(from, length);
  share.finish();
}

std::vector<int> mergedAscending(const std::vector<int>& a, const std::vector<int>& b) {
  std::vector<int> merged(a.size() + b.size());
  std::merge(a.begin(), a.end(), b.begin(), b.end(), merged.begin());
  return merged;
}

// Both tables' keys in key order: each key lies in one of them.
std::vector<WordTable::KeyCount> mergedCounts(const std::vector<WordTable::KeyCount>& a,
                                              const std::vector<WordTable::KeyCount>& b) {
  std::vector<WordTable::KeyCount> merged(a.size() + b.size());
  std::merge(
      a.begin(), a.end(), b.begin(), b.end(), merged.begin(),
      [](const WordTable::KeyCount& x, const WordTable::KeyCount& y) { return x.key < y.key; });
  return merged;
}

AnalysisResult resultAlone(Share& share) {
  AnalysisResult result;
  result.phraseRanges = std::move(share.phraseRanges());
  result.searchedStarts = std::move(share.searchedStarts());
  result.distantStartCount = share.distantStarts().count();
  result.closeStartCount = share.closeStarts().count();
  result.distantStarts = std::move(share.distantStarts()).alone();
  result.closeStarts = std::move(share.closeStarts()).alone();
  return result;
}

AnalysisResult analyzeAlone(std::string_view text, const AnalysisSettings& settings,
                            const ProgressSink& progress, RepeatedStarts repeats,
                            EntryCounts counts) {
  const WordSplit split(settings);
  Buckets every;
  every.fill(true);
  Share share(text, settings, repeats, split, every, 0, text.size(), 1);
  if (counts == EntryCounts::kKept) share.keepForms();
  scanWhole(share, text, progress);
  AnalysisResult result = resultAlone(share);
  result.report = buildTop100Report(share.table(), settings);
  if (counts == EntryCounts::kKept) result.entryCounts = share.forms();
  return result;
}

// The calling thread keeps the gauge and half of the work; a second thread
// takes the other half. The results are those of one share doing it all.
AnalysisResult analyzeInTwoShares(std::string_view text, const AnalysisSettings& settings,
                                  const ProgressSink& progress, RepeatedStarts repeats,
                                  EntryCounts counts) {
  const WordSplit split(settings);
  const Buckets buckets = balancedBuckets(text, split);
  const size_t middle = text.size() / 2;
  // The helper makes its own share, so that the memory it needs is asked
  // for and first touched on its side too.
  std::optional<Share> helping;
  std::vector<WordTable::KeyCount> helpingCounts;
  std::vector<EntryCount> helpingForms;
  std::exception_ptr helperFailure;
  // Set when the calling side stops: the helper then stops too, at its next
  // step, instead of finishing a share nobody will read.
  std::atomic<bool> abandoned = false;
  const ProgressSink stopsWhenAbandoned = [&abandoned](int) {
    if (abandoned.load(std::memory_order_relaxed)) throw RunStopped();
  };
  std::thread helper([&] {
    try {
      helping.emplace(text, settings, repeats, split, complementOf(buckets), middle, text.size(),
                      2);
      if (counts == EntryCounts::kKept) helping->keepForms();
      scanWhole(*helping, text, stopsWhenAbandoned);
      helpingCounts = helping->table().countsInKeyOrder();
      if (counts == EntryCounts::kKept) helpingForms = helping->forms();
    } catch (...) {
      helperFailure = std::current_exception();
    }
  });
  std::optional<Share> calling;
  try {
    calling.emplace(text, settings, repeats, split, buckets, 0, middle, 2);
    if (counts == EntryCounts::kKept) calling->keepForms();
    scanWhole(*calling, text, progress);
  } catch (...) {
    abandoned = true;
    helper.join();
    throw;
  }
  helper.join();
  if (helperFailure) std::rethrow_exception(helperFailure);

  AnalysisResult result;
  result.phraseRanges = std::move(calling->phraseRanges());
  result.phraseRanges.insert(result.phraseRanges.end(), helping->phraseRanges().begin(),
                             helping->phraseRanges().end());
  result.searchedStarts = mergedAscending(calling->searchedStarts(), helping->searchedStarts());
  result.distantStartCount = calling->distantStarts().count() + helping->distantStarts().count();
  result.closeStartCount = calling->closeStarts().count() + helping->closeStarts().count();
  result.distantStarts =
      RepeatedStartList::merged(calling->distantStarts(), helping->distantStarts());
  result.closeStarts = RepeatedStartList::merged(calling->closeStarts(), helping->closeStarts());
  std::vector<WordTable::KeyCount> keyCounts =
      mergedCounts(calling->table().countsInKeyOrder(), helpingCounts);
  if (counts == EntryCounts::kKept) {
    const std::vector<EntryCount> callingForms = calling->forms();
    result.entryCounts.resize(callingForms.size() + helpingForms.size());
    std::merge(callingForms.begin(), callingForms.end(), helpingForms.begin(), helpingForms.end(),
               result.entryCounts.begin(),
               [](const EntryCount& x, const EntryCount& y) { return x.key < y.key; });
  }
  result.report = buildTop100Report(std::move(keyCounts), settings);
  return result;
}

bool hasEchoes(const EchoSettings& echoes) { return echoes.phrasesActive || echoes.openingsActive; }

struct EchoFindings {
  std::vector<EchoRange> phrases;
  std::vector<EchoRange> openings;
  std::vector<PhraseCount> top;
};

// One reading of the words serves every phrase rule switched on; the
// openings alone need no list to skip.
EchoFindings findEchoesOf(std::string_view text, const AnalysisSettings& settings,
                          PhraseList phrases, EchoShares shares) {
  const EchoSettings& echoes = settings.m_echoes;
  const std::vector<PhraseWord> words =
      wordsOf(text, echoes.phrasesActive ? settings : AnalysisSettings());
  EchoFindings found;
  if (echoes.phrasesActive) {
    const bool counted = phrases == PhraseList::kCounted;
    if (counted && shares == EchoShares::kTwo) {
      // The list takes as long as the echoes: on a long text it is counted
      // beside them.
      WorkBeside counting([&] { found.top = topPhrasesOf(words, echoes, kTopPhraseCount); });
      found.phrases = phraseEchoesOf(words, echoes, shares);
      counting.join();
    } else {
      found.phrases = phraseEchoesOf(words, echoes, shares);
      if (counted) found.top = topPhrasesOf(words, echoes, kTopPhraseCount);
    }
  }
  if (echoes.openingsActive) found.openings = sentenceOpeningsOf(words, echoes);
  return found;
}

}  // namespace

AnalysisResult analyzeText(std::string_view text, const AnalysisSettings& settings,
                           const ProgressSink& progress, RepeatedStarts repeats,
                           PassThreads threads, PhraseList phrases, EntryCounts counts) {
  // The number of cores is read from the system: once is enough.
  static const unsigned cores = std::thread::hardware_concurrency();
  const bool twoThreads =
      threads == PassThreads::kTwo ||
      (threads == PassThreads::kAutomatic && text.size() >= kShortestSharedText && cores >= 2);
  // Words that share a dictionary form may share no beginning, so they
  // cannot be divided by it; and the lemma source answers one thread only.
  const bool shared = twoThreads && !familiesByLemma(settings);
  // The echoes read the text on their own, the similar words and the
  // dictionary left out: on a long text they run beside the pass.
  const bool beside = twoThreads && hasEchoes(settings.m_echoes);
  EchoFindings echoes;
  auto findTheEchoes = [&] {
    echoes = findEchoesOf(text, settings, phrases, beside ? EchoShares::kTwo : EchoShares::kOne);
  };
  // A pass that fails or is stopped still waits for the echoes beside it.
  std::optional<WorkBeside> echoing;
  if (beside) echoing.emplace(findTheEchoes);
  AnalysisResult result = shared ? analyzeInTwoShares(text, settings, progress, repeats, counts)
                                 : analyzeAlone(text, settings, progress, repeats, counts);
  if (echoing) {
    echoing->join();
  } else if (hasEchoes(settings.m_echoes)) {
    findTheEchoes();
  }
  result.phraseEchoes = std::move(echoes.phrases);
  result.sentenceOpenings = std::move(echoes.openings);
  result.topPhrases = std::move(echoes.top);
  progressCounter += text.size();
  return result;
}

AnalysisResult analyzeStretch(std::string_view stretch,
                              const std::vector<std::string_view>& formsBefore,
                              const AnalysisSettings& settings) {
  const WordSplit split(settings);
  Buckets every;
  every.fill(true);
  Share share(stretch, settings, RepeatedStarts::kCollapsed, split, every, 0, stretch.size(), 1);
  for (std::string_view form : formsBefore) share.meetBefore(form);
  scanWhole(share, stretch, {});
  return resultAlone(share);
}

}  // namespace verbolt
