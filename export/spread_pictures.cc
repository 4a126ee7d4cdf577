#include "export/spread_pictures.h"

#include "highlight/plan/palette.h"
#include "highlight/plan/spread.h"
#include "strings/localized_text.h"
#include "text/cp1252.h"

namespace verbolt {

namespace {

// The most used words are no finding: a neutral slate, not a highlight.
constexpr Rgb kWordsColour = {90, 105, 130};

SpreadPicture pictureOf(const std::string& word, const std::vector<long>& starts, long length,
                        int stretches, Rgb colour) {
  return {cp1252ToUtf8(word), static_cast<int>(starts.size()),
          spreadCounts(starts, length, stretches), colour};
}

void replaceFirst(std::string& text, std::string_view what, const std::string& with) {
  const size_t at = text.find(what);
  if (at != std::string::npos) text.replace(at, what.size(), with);
}

}  // namespace

std::vector<SpreadPicture> spreadPictures(std::string_view loweredText,
                                          const std::vector<ColourRun>& runs,
                                          std::string_view report, const std::string& markedWord,
                                          size_t families, int stretches) {
  const long length = static_cast<long>(loweredText.size());
  std::vector<SpreadPicture> pictures;
  const std::vector<long> marked = markedStarts(runs);
  if (!markedWord.empty() && !marked.empty()) {
    pictures.push_back(
        pictureOf(markedWord, marked, length, stretches, activePalette().markedWithoutClass));
  }
  for (const std::vector<std::string>& family : reportFamilies(report, families)) {
    pictures.push_back(pictureOf(family.front(), wordStarts(loweredText, family), length, stretches,
                                 kWordsColour));
  }
  return pictures;
}

std::string spreadCaption(const SpreadPicture& picture) {
  std::string caption = cp1252ToUtf8(LocalizedText(kStrSpreadCount));
  replaceFirst(caption, "%s", picture.wordUtf8);
  replaceFirst(caption, "%d", std::to_string(picture.count));
  return caption;
}

}  // namespace verbolt
