// The names of a manuscript's characters and places, found without a
// list: a word is a name when it is capitalised at every occurrence and
// stands at least once inside a sentence, where only a name keeps its
// capital. "Later Anna closed the gate, and Anna smiled at Marcus": Anna
// and Marcus are names, Later is not. English and French alike.
#pragma once

#include <string_view>

#include "settings/analysis_settings.h"

namespace verbolt {

// The names of `text` (Windows-1252, as written, not lowered), lowered as
// the engine lowers words, in the order they first appear. A sentence
// starts at the text's start, after ".", "!", "?", "…" or a line end, and
// after a dialogue dash or an opening quote.
WordList characterNames(std::string_view text);

}  // namespace verbolt
