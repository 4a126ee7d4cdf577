#include "highlight/plan/paint_plan.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "analysis/equivalence.h"
#include "highlight/plan/palette.h"
#include "text/words.h"

namespace verbolt {

namespace {

// The plan holds one byte per character: an index into these colours. Only
// white, the class colours and their greys can come out of a fresh paint.
using PaletteIndex = std::uint8_t;
constexpr PaletteIndex kWhiteIndex = 0;
constexpr int kPaletteSize = 1 + 2 * kHighlightClassCount;

std::array<Rgb, kPaletteSize> paintableColours(const Palette& palette) {
  std::array<Rgb, kPaletteSize> colours{};
  colours[kWhiteIndex] = kWhite;
  for (int c = 0; c < kHighlightClassCount; ++c) {
    colours[1 + c] = palette.classes[c];
    colours[1 + kHighlightClassCount + c] = palette.hidden[c];
  }
  return colours;
}

PaletteIndex classIndex(HighlightClass c) {
  return static_cast<PaletteIndex>(1 + static_cast<int>(c));
}

PaletteIndex paletteIndexOf(const std::array<Rgb, kPaletteSize>& colours, Rgb colour) {
  auto found = std::find(colours.begin(), colours.end(), colour);
  return static_cast<PaletteIndex>(found - colours.begin());
}

// Intervals of the gauge: the lists are short next to the text.
constexpr unsigned kListInterval = 100;

// Gives the gauge every value that counting `items` one by one would have
// given it.
template <typename Fraction>
void countProgress(size_t items, unsigned interval, const ProgressSink& progress,
                   Fraction fraction) {
  progressTicks(0, items, interval, [&](size_t i) {
    if (progress) progress(gaugeValue(fraction(i)));
  });
}

double share(size_t i, size_t n) { return static_cast<double>(i) / static_cast<double>(n); }

class Canvas {
 public:
  explicit Canvas(std::string_view text)
      : m_text(text),
        m_colours(text.size(), kWhiteIndex),
        m_palette(paintableColours(activePalette())) {}

  void paint(long long start, long long end, PaletteIndex colour) {
    start = std::max<long long>(start, 0);
    end = std::min<long long>(end, static_cast<long long>(m_colours.size()));
    if (start < end) std::fill(m_colours.begin() + start, m_colours.begin() + end, colour);
  }

  void paintEchoes(const std::vector<EchoRange>& ranges, HighlightClass c) {
    for (const EchoRange& range : ranges) {
      paint(static_cast<long long>(range.begin), static_cast<long long>(range.end), classIndex(c));
    }
  }

  void paintPhrases(const std::vector<int>& ranges, const ProgressSink& progress) {
    const size_t n = ranges.size();
    for (size_t j = 0; j + 1 < n; j += 2) {
      paint(ranges[j], static_cast<long long>(ranges[j]) + ranges[j + 1],
            classIndex(HighlightClass::kPhrase));
    }
    countProgress(n / 2, kListInterval, progress,
                  [n](size_t k) { return 0.5 + 0.1 * share(2 * k, n); });
  }

  void paintWords(const std::vector<int>& starts, HighlightClass c, double base,
                  const ProgressSink& progress) {
    for (int s : starts) {
      if (s < 0 || static_cast<size_t>(s) >= m_text.size()) continue;
      paint(s, static_cast<long long>(wordEndAt(m_text, s)), classIndex(c));
    }
    const size_t n = starts.size();
    countProgress(n, kListInterval, progress,
                  [n, base](size_t i) { return base + 0.1 * share(i, n); });
  }

  void applyHiddenWords(const AnalysisSettings& settings, const ProgressSink& progress) {
    // With nothing hidden a fresh paint holds no grey, so no word changes.
    if (settings.m_hiddenList.empty()) {
      const size_t n = m_text.size();
      countProgress(n, kHiddenPassInterval, progress,
                    [n](size_t i) { return 0.9 + 0.1 * share(i, n); });
      return;
    }
    hiddenWordsPass(
        m_text, settings,
        [this](size_t start, size_t end) {
          return m_palette[m_colours[wordProbePosition(static_cast<long>(start),
                                                       static_cast<long>(end))]];
        },
        [this](size_t start, size_t end, Rgb next) {
          paint(static_cast<long long>(start), static_cast<long long>(end),
                paletteIndexOf(m_palette, next));
        },
        [&progress](int value) {
          if (progress) progress(value);
        });
  }

  std::vector<ColourRun> runs() const {
    std::vector<ColourRun> runs;
    const auto begin = m_colours.begin();
    auto it = std::find_if(begin, m_colours.end(), [](PaletteIndex c) { return c != kWhiteIndex; });
    while (it != m_colours.end()) {
      const PaletteIndex colour = *it;
      auto runEnd =
          std::find_if(it, m_colours.end(), [colour](PaletteIndex c) { return c != colour; });
      runs.push_back(
          {static_cast<int>(it - begin), static_cast<int>(runEnd - begin), m_palette[colour]});
      it = std::find_if(runEnd, m_colours.end(), [](PaletteIndex c) { return c != kWhiteIndex; });
    }
    return runs;
  }

 private:
  std::string_view m_text;
  std::vector<PaletteIndex> m_colours;
  std::array<Rgb, kPaletteSize> m_palette;
};

bool isHidden(std::string_view word, const AnalysisSettings& settings) {
  return findWordInList(word, settings.m_hiddenList, settings) >= 0;
}

}  // namespace

Rgb hiddenPassColour(Rgb current, std::string_view word, const AnalysisSettings& settings) {
  const Palette& palette = activePalette();
  for (int c = 0; c < kHighlightClassCount; ++c) {
    if (current == palette.classes[c])
      return isHidden(word, settings) ? palette.hidden[c] : current;
    if (current == palette.hidden[c])
      return isHidden(word, settings) ? current : palette.classes[c];
  }
  return current;
}

std::vector<ColourRun> planHighlights(std::string_view loweredText, const AnalysisResult& result,
                                      const AnalysisSettings& settings,
                                      const ProgressSink& progress) {
  Canvas canvas(loweredText);
  canvas.paintEchoes(result.sentenceOpenings, HighlightClass::kOpening);
  canvas.paintEchoes(result.phraseEchoes, HighlightClass::kEcho);
  canvas.paintPhrases(result.phraseRanges, progress);
  canvas.paintWords(result.searchedStarts, HighlightClass::kSearched, 0.6, progress);
  canvas.paintWords(result.distantStarts, HighlightClass::kDistant, 0.7, progress);
  canvas.paintWords(result.closeStarts, HighlightClass::kClose, 0.8, progress);
  canvas.applyHiddenWords(settings, progress);
  return canvas.runs();
}

}  // namespace verbolt
