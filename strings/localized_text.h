// Every text the program shows in its own windows, by numeric id, in
// English and French, held as Windows-1252 bytes.
#pragma once

#include <map>
#include <string>

struct LocalizedPair {
  std::string english;
  std::string french;
};

using StringTable = std::map<int, LocalizedPair>;

// Built on first use, read-only afterwards.
const StringTable& stringTable();

// The English text of `id`; empty when the table has no such entry.
std::string LocalizedText(int id);
