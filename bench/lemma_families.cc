// Prints a sample of the families by dictionary form that a real text
// makes, for a reader to judge: does each join only forms of one word?
// The families are those the Top-100 shows: a word and the words of the
// text that share a dictionary form with it.
//
//   lemma-families TEXT fr|en [COUNT]   (TEXT in Windows-1252)
//
// Prints COUNT families (200 by default), spread evenly over the families
// ordered by how often their words occur, one a line: "word: form form...".
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lemma/dictionary.h"
#include "text/words.h"

using namespace verbolt;

namespace {

// Words under four letters are skipped by default: their families never show.
constexpr size_t kShortestCounted = 4;

using Family = std::set<std::string>;

std::map<std::string, size_t> wordCounts(const std::string& lowered) {
  std::map<std::string, size_t> counts;
  forEachWord(lowered, [&](size_t begin, size_t end) {
    if (end - begin >= kShortestCounted) ++counts[lowered.substr(begin, end - begin)];
  });
  return counts;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: lemma-families TEXT fr|en [COUNT]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  const Language language = std::string(argv[2]) == "fr" ? Language::kFrench : Language::kEnglish;
  const size_t wanted = argc > 3 ? std::stoul(argv[3]) : 200;
  const std::optional<DictionaryFiles> files = findDictionary(language);
  if (!files) {
    std::fprintf(stderr, "no dictionary (install %s)\n", dictionaryPackage(language).c_str());
    return 1;
  }
  std::shared_ptr<LemmaSource> lemmas = loadLemmas(*files);

  const std::map<std::string, size_t> counts = wordCounts(lowercaseText(text));
  std::map<int, std::vector<std::string>> wordsOfLemma;
  for (const auto& [word, count] : counts) {
    for (int lemma : lemmas->lemmasOf(word)) wordsOfLemma[lemma].push_back(word);
  }
  std::set<Family> seen;
  std::vector<std::pair<size_t, Family>> families;
  for (const auto& [word, count] : counts) {
    Family family;
    size_t occurrences = 0;
    for (int lemma : lemmas->lemmasOf(word)) {
      for (const std::string& other : wordsOfLemma[lemma]) family.insert(other);
    }
    if (family.size() < 2 || !seen.insert(family).second) continue;
    for (const std::string& member : family) occurrences += counts.at(member);
    families.emplace_back(occurrences, family);
  }
  std::stable_sort(families.begin(), families.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::printf("# %zu families of two words or more in %zu distinct words\n", families.size(),
              counts.size());
  const size_t shown = std::min(wanted, families.size());
  for (size_t i = 0; i < shown; ++i) {
    const Family& family = families[i * families.size() / shown].second;
    std::string line;
    for (const std::string& member : family) line += (line.empty() ? "" : " ") + member;
    std::printf("%3zu  %s\n", i + 1, line.c_str());
  }
  return 0;
}
