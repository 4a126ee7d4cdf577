// An analysis run over arbitrary bytes with arbitrary settings, as Process
// makes it: the numbers anywhere in the int range, clamped, the lists
// normalised from typed text, similar words by beginning or by a made-up
// dictionary, then the detection pass and the paint plan.
// Besides crashes and sanitizer reports it checks that every position the
// run hands to the editor lies inside the text where it belongs.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_pass.h"
#include "fuzz/fuzz_check.h"
#include "highlight/plan/paint_plan.h"
#include "settings/analysis_settings.h"
#include "text/words.h"

namespace verbolt {

namespace {

// Longer texts teach the fuzzer nothing new and slow every run down.
constexpr size_t kMaxTextBytes = 64 * 1024;
// With similar words on and a low percentage, one word can count under
// every other word of the text, so the repetition lists grow with the
// square of the word count (times up to 99 positions each). The bound keeps
// that legitimate growth below libFuzzer's memory limit, so a report means
// a fault rather than a big but correct answer.
constexpr size_t kMaxWordsWithSimilarWords = 600;
// The lists are typed into one-line fields; this keeps them pane-sized.
constexpr size_t kMaxListTextBytes = 300;

// A count as a user could type it: mostly near the ends of its range,
// sometimes anywhere in the int range, the int limits included.
int drawCount(FuzzedDataProvider& data, int low, int high) {
  switch (data.ConsumeIntegralInRange(0, 7)) {
    case 0:
      return INT_MIN;
    case 1:
      return INT_MAX;
    case 2:
      return low - data.ConsumeIntegralInRange(0, 3);
    case 3:
      return high + data.ConsumeIntegralInRange(0, 3);
    case 4:
      return data.ConsumeIntegral<int>();
    default:
      return data.ConsumeIntegralInRange(low, high);
  }
}

int drawFlag(FuzzedDataProvider& data) {
  return data.ConsumeBool() ? data.ConsumeIntegralInRange(0, 1) : data.ConsumeIntegral<int>();
}

void drawList(FuzzedDataProvider& data, WordList& list, std::string_view separator) {
  AnalysisSettings::SetListFromText(list, data.ConsumeRandomLengthString(kMaxListTextBytes),
                                    separator);
}

AnalysisSettings drawSettings(FuzzedDataProvider& data) {
  AnalysisSettings s;
  s.m_skipActive = drawFlag(data);
  s.m_skipNbLettersMin = drawCount(data, 1, 999999);
  s.m_skipNbLettersMax = drawCount(data, 1, 999999);
  drawList(data, s.m_skipWords, " ");
  s.m_sameActive = drawFlag(data);
  s.m_sameNbLetters = drawCount(data, 0, 999999);
  s.m_samePercent = drawCount(data, 0, 100);
  s.m_closeActive = drawFlag(data);
  s.m_closeDistance = drawCount(data, 1, 999999);
  s.m_distantActive = drawFlag(data);
  s.m_distantNb = drawCount(data, 2, 99);
  s.m_distantDistance = drawCount(data, 1, 999999);
  s.m_wordsActive = drawFlag(data);
  s.m_wordsLetterMin = drawCount(data, 1, 999999);
  s.m_wordsLetterMax = drawCount(data, 1, 999999);
  drawList(data, s.m_wordsList, " ");
  drawList(data, s.m_wordsPartsList, " ");
  s.m_phrasesActive = drawFlag(data);
  drawList(data, s.m_phrasesList, "\n");
  drawList(data, s.m_hiddenList, " ");
  return s;
}

// A dictionary made up from the bytes of each word, so that families by
// dictionary form cross beginnings: a word's lemma is its first byte and its
// length modulo `spread`, and a word ending in a vowel has a second lemma,
// its last byte. Words of three bytes or less are unknown.
class ByteLemmas : public LemmaSource {
 public:
  explicit ByteLemmas(int spread) : m_spread(spread) {}

  const std::vector<int>& lemmasOf(std::string_view word) override {
    auto [entry, added] = m_lemmas.try_emplace(std::string(word));
    if (added && word.size() > 3) {
      const auto first = static_cast<unsigned char>(word.front());
      const auto last = static_cast<unsigned char>(word.back());
      entry->second.push_back(first * 16 + static_cast<int>(word.size()) % m_spread);
      if (std::string_view("aeiou").find(static_cast<char>(last)) != std::string_view::npos) {
        entry->second.push_back(4096 + last);
      }
      std::sort(entry->second.begin(), entry->second.end());
    }
    return entry->second;
  }

 private:
  int m_spread;
  std::map<std::string, std::vector<int>> m_lemmas;
};

// The text up to the start of its (maxWords + 1)-th word.
std::string_view firstWords(std::string_view text, size_t maxWords) {
  size_t words = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    bool starts = isWordChar(text[i]) && (i == 0 || !isWordChar(text[i - 1]));
    if (starts && ++words > maxWords) return text.substr(0, i);
  }
  return text;
}

bool isWordStart(std::string_view text, int position) {
  if (position < 0 || static_cast<size_t>(position) >= text.size()) return false;
  return isWordChar(text[position]) && (position == 0 || !isWordChar(text[position - 1]));
}

void checkWordStarts(std::string_view text, const std::vector<int>& starts) {
  for (int start : starts) FUZZ_CHECK(isWordStart(text, start));
}

void checkResult(std::string_view text, const AnalysisResult& result) {
  const long long size = static_cast<long long>(text.size());
  FUZZ_CHECK(result.phraseRanges.size() % 2 == 0);
  for (size_t i = 0; i + 1 < result.phraseRanges.size(); i += 2) {
    long long start = result.phraseRanges[i];
    long long length = result.phraseRanges[i + 1];
    FUZZ_CHECK(start >= 0 && length > 0 && start + length <= size);
  }
  checkWordStarts(text, result.searchedStarts);
  checkWordStarts(text, result.distantStarts);
  checkWordStarts(text, result.closeStarts);
  FUZZ_CHECK(result.closeStarts.size() % 2 == 0);
}

template <typename Colours>
bool isAmong(Rgb colour, const Colours& colours) {
  return std::find(colours.begin(), colours.end(), colour) != colours.end();
}

void checkPlan(std::string_view text, const std::vector<ColourRun>& runs,
               const AnalysisSettings& settings) {
  int previousEnd = 0;
  for (const ColourRun& run : runs) {
    FUZZ_CHECK(previousEnd <= run.start && run.start < run.end);
    FUZZ_CHECK(static_cast<size_t>(run.end) <= text.size());
    FUZZ_CHECK(isAmong(run.colour, kClassColours) || isAmong(run.colour, kHiddenColours));
    // Nothing is greyed while no word is hidden.
    if (settings.m_hiddenList.empty()) FUZZ_CHECK(!isAmong(run.colour, kHiddenColours));
    previousEnd = run.end;
  }
}

// The gauge moves forward only, within the share each stage owns.
class GaugeCheck {
 public:
  GaugeCheck(int low, int high) : m_last(low), m_high(high) {}
  void operator()(int value) {
    FUZZ_CHECK(m_last <= value && value <= m_high);
    m_last = value;
  }

 private:
  int m_last;
  int m_high;
};

std::vector<int> eachOnceAscending(std::vector<int> starts) {
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  return starts;
}

// The pass shared between two threads, as long texts have it, gives the
// lists of one thread doing it all, in the same order; collapsed, each
// start once in ascending order.
void checkSharedPassAgrees(std::string_view text, const AnalysisSettings& settings,
                           const AnalysisResult& alone) {
  AnalysisResult shared = analyzeText(text, settings, {}, RepeatedStarts::kKept, PassThreads::kTwo);
  FUZZ_CHECK(shared.phraseRanges == alone.phraseRanges);
  FUZZ_CHECK(shared.searchedStarts == alone.searchedStarts);
  FUZZ_CHECK(shared.distantStarts == alone.distantStarts);
  FUZZ_CHECK(shared.closeStarts == alone.closeStarts);
  FUZZ_CHECK(shared.report == alone.report);
  AnalysisResult collapsed =
      analyzeText(text, settings, {}, RepeatedStarts::kCollapsed, PassThreads::kTwo);
  FUZZ_CHECK(collapsed.distantStarts == eachOnceAscending(alone.distantStarts));
  FUZZ_CHECK(collapsed.closeStarts == eachOnceAscending(alone.closeStarts));
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  AnalysisSettings settings = drawSettings(data);
  settings.ClampToRanges();
  if (data.ConsumeBool()) {
    settings.m_lemmas = std::make_shared<ByteLemmas>(data.ConsumeIntegralInRange(1, 4));
  }

  std::string typed = data.ConsumeRemainingBytesAsString();
  std::string_view text = std::string_view(typed).substr(0, kMaxTextBytes);
  if (settings.m_sameActive) text = firstWords(text, kMaxWordsWithSimilarWords);
  const std::string lowered = lowercaseText(text);
  FUZZ_CHECK(lowered.size() == text.size());

  GaugeCheck analysisGauge(0, 50);
  AnalysisResult result = analyzeText(
      lowered, settings, [&](int value) { analysisGauge(value); }, RepeatedStarts::kKept,
      PassThreads::kOne);
  checkResult(lowered, result);
  checkSharedPassAgrees(lowered, settings, result);

  GaugeCheck paintGauge(50, 100);
  std::vector<ColourRun> runs =
      planHighlights(lowered, result, settings, [&](int value) { paintGauge(value); });
  checkPlan(lowered, runs, settings);
  return 0;
}
