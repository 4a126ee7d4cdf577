#include "lemma/irregular_forms.h"

#include <algorithm>
#include <cstdlib>

#include "files/small_file.h"
#include "text/cp1252.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr const char* kListNames[] = {"verb.exc", "noun.exc", "adj.exc", "adv.exc"};

// A word as the editor holds it, or nothing for a phrase or a word beyond
// Windows-1252.
bool asEditorWord(std::string_view utf8, std::string& word) {
  if (utf8.empty() || utf8.find('_') != std::string_view::npos) return false;
  size_t errorOffset = 0;
  word.clear();
  return utf8ToCp1252(utf8, word, errorOffset);
}

void addLine(std::string_view line, IrregularForms& forms) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (start < line.size()) {
    const size_t end = std::min(line.find(' ', start), line.size());
    std::string word;
    if (end > start) {
      if (!asEditorWord(line.substr(start, end - start), word)) return;
      fields.push_back(lowercaseText(word));
    }
    start = end + 1;
  }
  if (fields.size() < 2) return;
  std::vector<std::string>& lemmas = forms[fields[0]];
  for (size_t i = 1; i < fields.size(); ++i) {
    if (fields[i] == fields[0]) continue;
    if (std::find(lemmas.begin(), lemmas.end(), fields[i]) == lemmas.end()) {
      lemmas.push_back(fields[i]);
    }
  }
  if (lemmas.empty()) forms.erase(fields[0]);
}

}  // namespace

void addIrregularForms(std::string_view list, IrregularForms& forms) {
  size_t start = 0;
  while (start < list.size()) {
    size_t end = std::min(list.find('\n', start), list.size());
    std::string_view line = list.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    addLine(line, forms);
    start = end + 1;
  }
}

std::string irregularFormsFolder() {
  const char* chosen = std::getenv(kIrregularFormsVariable);
  return chosen && *chosen ? chosen : kIrregularFormsFolder;
}

IrregularForms readIrregularForms(const std::string& folder) {
  IrregularForms forms;
  for (const char* name : kListNames) {
    std::string bytes;
    int error = 0;
    if (readSmallFile(folder + "/" + name, kMaxIrregularListSize, bytes, error) ==
        SmallFileRead::kRead) {
      addIrregularForms(bytes, forms);
    }
  }
  return forms;
}

}  // namespace verbolt
