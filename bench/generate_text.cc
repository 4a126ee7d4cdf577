// generate-text [--hostile | --hostile-beginning | --large-families] [--seed N] MEGABYTES OUTFILE
//
// Writes generated prose (Windows-1252) to OUTFILE, so that other tools can
// count its words or time their own passes over it, and prints how long the
// generation took and the word figures of the text.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <unordered_set>

#include "bench/text_generator.h"
#include "text/words.h"

namespace verbolt {

namespace {

struct Options {
  bool hostile = false;
  bool largeFamilies = false;
  HostileWords hostileWords = HostileWords::kSyllables;
  uint32_t seed = 1;
  double megabytes = 0;
  std::string outputPath;
};

[[noreturn]] void exitWithUsage() {
  std::fprintf(stderr,
               "usage: generate-text [--hostile | --hostile-beginning | --large-families] "
               "[--seed N] MEGABYTES OUTFILE\n");
  std::exit(2);
}

bool parseMegabytes(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && value >= 0;
}

bool parseSeed(const char* text, uint32_t& value) {
  char* end = nullptr;
  unsigned long parsed = std::strtoul(text, &end, 10);
  value = static_cast<uint32_t>(parsed);
  return end != text && *end == '\0' && parsed <= UINT32_MAX;
}

Options parseOptions(int argc, char** argv) {
  Options options;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--hostile") {
      options.hostile = true;
    } else if (arg == "--hostile-beginning") {
      options.hostile = true;
      options.hostileWords = HostileWords::kBeginningOnly;
    } else if (arg == "--large-families") {
      options.largeFamilies = true;
    } else if (arg == "--seed" && i + 1 < argc && parseSeed(argv[i + 1], options.seed)) {
      ++i;
    } else if (positional == 0 && parseMegabytes(argv[i], options.megabytes)) {
      ++positional;
    } else if (positional == 1) {
      options.outputPath = arg;
      ++positional;
    } else {
      exitWithUsage();
    }
  }
  if (positional != 2) exitWithUsage();
  return options;
}

// Words as the analysis sees them: runs of word characters, folded.
size_t countDistinctWords(std::string_view text) {
  std::string folded = lowercaseText(text);
  std::unordered_set<std::string_view> distinct;
  std::string_view view = folded;
  size_t start = 0;
  while (start < view.size()) {
    if (!isWordChar(view[start])) {
      ++start;
      continue;
    }
    size_t end = wordEndAt(view, start);
    distinct.insert(view.substr(start, end - start));
    start = end;
  }
  return distinct.size();
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

int main(int argc, char** argv) {
  Options options = parseOptions(argc, argv);
  size_t bytes = static_cast<size_t>(options.megabytes * 1024 * 1024);

  auto started = std::chrono::steady_clock::now();
  std::string text = options.largeFamilies ? generateLargeFamilies(bytes, options.seed)
                     : options.hostile ? generateHostile(bytes, options.seed, options.hostileWords)
                                       : generateProse(bytes, options.seed);
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;

  std::ofstream out(options.outputPath, std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "generate-text: cannot write %s\n", options.outputPath.c_str());
    return 1;
  }

  int words = countWords(text);
  std::printf("%s: %zu bytes, %s text, seed %u, generated in %.3f s\n", options.outputPath.c_str(),
              text.size(),
              options.largeFamilies ? "large-family"
              : options.hostile     ? "hostile"
                                    : "prose",
              options.seed, elapsed.count());
  std::printf("%d words (blank-separated), %zu distinct words (folded), %.0f words per MB\n", words,
              countDistinctWords(text), bytes ? words * 1048576.0 / bytes : 0.0);
  return 0;
}
