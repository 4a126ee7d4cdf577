// The detection pass of an analysis run: one walk over the lowered text
// finds phrases, searched words, close and distant repetitions, and builds
// the Top-100 report. The window paints what it returns.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/phrase_echoes.h"
#include "analysis/progress.h"
#include "analysis/top_phrases.h"
#include "settings/analysis_settings.h"

namespace verbolt {

// A key of the word table and its count, which the Top-100 ranks; and of
// the key's own word, how often it occurs and where it first starts.
struct EntryCount {
  std::string key;
  int count;
  int own;
  int first;
  friend bool operator==(const EntryCount&, const EntryCount&) = default;
};

struct AnalysisResult {
  std::vector<int> phraseRanges;  // flat (start, length) pairs
  std::vector<int> searchedStarts;
  std::vector<int> distantStarts;
  std::vector<int> closeStarts;
  std::string report;
  // How many starts the repetition rules appended, each as often as it
  // was appended: the sizes of the lists when they are kept in full.
  size_t distantStartCount = 0;
  size_t closeStartCount = 0;
  // With the echoes' switches on (settings.m_echoes), in text order.
  std::vector<EchoRange> phraseEchoes;
  std::vector<EchoRange> sentenceOpenings;
  // With phrase echoes on and PhraseList::kCounted: the phrases repeated
  // most over the whole text.
  std::vector<PhraseCount> topPhrases;
  // With EntryCounts::kKept: every key of the word table with its count,
  // in key order.
  std::vector<EntryCount> entryCounts;
};

// Whether closeStarts and distantStarts keep every start as often as the
// rules append it, each start once, in ascending order, or nothing (only
// the counts). The window paints the lists, where a start painted twice
// gives nothing more; with similar words on and wide settings the full
// lists grow with the square of the number of words and can exhaust the
// memory.
enum class RepeatedStarts { kKept, kCollapsed, kCounted };

// Whether the pass shares its work with a second thread. Automatic does so
// for long texts on a machine with two cores or more; the results are the
// same either way, and the calling thread alone calls the progress sink.
// With families by dictionary form the pass always works alone.
enum class PassThreads { kAutomatic, kOne, kTwo };

// Whether the pass counts the phrases repeated most over the whole text,
// with phrase echoes on: the window lists them under the Top-100, the
// command line never shows them.
enum class PhraseList { kCounted, kLeftOut };

// Whether the pass hands back the counts of its word table, which the
// colours that follow the typing keep up to date between passes.
enum class EntryCounts { kLeftOut, kKept };

// `loweredText` is the editor text after lowercaseText; `settings` has been
// clamped. `progress`, when set, takes the gauge from 0 to 50.
AnalysisResult analyzeText(std::string_view loweredText, const AnalysisSettings& settings,
                           const ProgressSink& progress = {},
                           RepeatedStarts repeats = RepeatedStarts::kKept,
                           PassThreads threads = PassThreads::kAutomatic,
                           PhraseList phrases = PhraseList::kLeftOut,
                           EntryCounts counts = EntryCounts::kLeftOut);

// The phrases, searched words and repetitions of `stretch` alone, as a pass
// over it finds them once its word table holds an entry for each of
// `formsBefore`, in that order: the words a longer text holds before the
// stretch, whose entries a whole pass would have made already. The starts
// are collapsed; there is no report and no echo.
AnalysisResult analyzeStretch(std::string_view stretch,
                              const std::vector<std::string_view>& formsBefore,
                              const AnalysisSettings& settings);

}  // namespace verbolt
