#include "analysis/analysis_pass.h"

#include "analysis/equivalence.h"
#include "analysis/search.h"
#include "analysis/top100_report.h"
#include "analysis/word_table.h"
#include "analysis/words.h"

namespace {

// The pass walks the text once; this gauge interval keeps the gauge cheap.
constexpr unsigned kProgressInterval = 2000;

// What happens at the end of each word: the word search first, then the
// skip filter, and only then the word table, so a searched word is shown
// even when it is skipped.
void wordCompleted(std::string_view word, int start, const AnalysisSettings& settings,
                   WordTable& table, AnalysisResult& result) {
  if (settings.m_wordsActive && isSearchedWord(word, settings)) {
    result.searchedStarts.push_back(start);
  }
  if (isSkipped(word, settings)) return;
  table.recordOccurrence(word, start, result.closeStarts, result.distantStarts);
}

}  // namespace

AnalysisResult analyzeText(std::string_view text, const AnalysisSettings& settings,
                           const ProgressSink& progress) {
  AnalysisResult result;
  WordTable table(settings);
  const size_t length = text.size();
  size_t wordStart = 0;
  size_t wordLength = 0;

  for (size_t f = 0; f < length; ++f) {
    if (progressTick(kProgressInterval) && progress) {
      progress(gaugeValue(0.5 * static_cast<double>(f) / static_cast<double>(length)));
    }
    bool letter = isWordChar(text[f]);
    if (letter) {
      if (wordLength == 0) wordStart = f;
      ++wordLength;
    }
    if (settings.m_phrasesActive)
      matchPhrasesAt(text, f, settings.m_phrasesList, result.phraseRanges);
    if ((!letter || f == length - 1) && wordLength > 0) {
      wordCompleted(text.substr(wordStart, wordLength), static_cast<int>(wordStart), settings,
                    table, result);
      wordLength = 0;
    }
  }
  result.report = buildTop100Report(table, settings);
  return result;
}
