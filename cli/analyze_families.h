// verbolt-analyze's --families: which words count as one word when similar
// words are on.
#pragma once

#include <string>
#include <string_view>

#include "settings/analysis_settings.h"

namespace verbolt {

// "beginning" keeps the common-beginning rule; "lemma-fr" and "lemma-en"
// make similar words those that share a dictionary form in the French or
// English Hunspell dictionary. False, with `problem` set, for another kind
// or a dictionary that is not installed.
bool applyFamilies(std::string_view kindName, AnalysisSettings& settings, std::string* problem);

}  // namespace verbolt
