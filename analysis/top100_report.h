// The Top-100 text: the most counted words, each followed by its
// equivalent words, indented.
#pragma once

#include <string>
#include <vector>

#include "analysis/word_table.h"
#include "settings/analysis_settings.h"

namespace verbolt {

// The spaces before each equivalent word.
constexpr int kFamilyIndent = 7;

std::string buildTop100Report(const WordTable& table, const AnalysisSettings& settings);

// The same from every key of the run with its count, in key order.
std::string buildTop100Report(std::vector<WordTable::KeyCount> countsInKeyOrder,
                              const AnalysisSettings& settings);

}  // namespace verbolt
