// The spreads an export draws: the marked word's, from the red runs, and
// those of the Top-100's first families, found in the text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "export/export_document.h"

namespace verbolt {

// `loweredText` and `report` in Windows-1252, `markedWord` too (empty when
// none is marked); the pictures' words in UTF-8.
std::vector<SpreadPicture> spreadPictures(std::string_view loweredText,
                                          const std::vector<ColourRun>& runs,
                                          std::string_view report, const std::string& markedWord,
                                          size_t families = 10, int stretches = 60);

// The caption of a picture: "\"word\": 12 times", in UTF-8.
std::string spreadCaption(const SpreadPicture& picture);

}  // namespace verbolt
