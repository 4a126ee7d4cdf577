// The Top-100 report as a table, for a spreadsheet.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verbolt {

struct Top100Row {
  long long count = 0;
  std::string word;
  std::vector<std::string> similarWords;
};

// Reads the Top-100 pane's text: a main line "%3d : word" starts a row,
// each line of seven spaces and a word adds a similar word to it; any
// other line is skipped.
std::vector<Top100Row> parseTop100Report(std::string_view reportUtf8);

// RFC 4180: CRLF line ends, the header "count,word,similar words", one row
// per main line, the similar words joined by spaces; a field holding a
// comma, a quote or a line end is quoted, its quotes doubled.
std::string exportTop100Csv(std::string_view reportUtf8);

}  // namespace verbolt
