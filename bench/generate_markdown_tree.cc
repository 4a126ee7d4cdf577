// generate-markdown-tree [--seed N] MEGABYTES FILES OUTDIR
//
// Writes a documentation tree of FILES Markdown pages, MEGABYTES in all,
// for timing verbolt-analyze as a linter against other tools over the same
// files: ten folders d00 ... d09 of pages page0000.md ..., each page with
// a front matter, headings, the seeded prose as UTF-8 paragraphs, inline
// code, links, lists and fenced code blocks, as documentation has them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench/text_generator.h"
#include "text/cp1252.h"

namespace verbolt {

namespace fs = std::filesystem;

namespace {

constexpr int kFolders = 10;

struct Options {
  uint32_t seed = 1;
  double megabytes = 0;
  long files = 0;
  std::string outputDir;
};

[[noreturn]] void exitWithUsage() {
  std::fprintf(stderr, "usage: generate-markdown-tree [--seed N] MEGABYTES FILES OUTDIR\n");
  std::exit(2);
}

Options parseOptions(int argc, char** argv) {
  Options options;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--seed" && i + 1 < argc) {
      options.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    } else {
      positional.emplace_back(arg);
    }
  }
  if (positional.size() != 3) exitWithUsage();
  options.megabytes = std::strtod(positional[0].c_str(), nullptr);
  options.files = std::strtol(positional[1].c_str(), nullptr, 10);
  options.outputDir = positional[2];
  if (options.megabytes <= 0 || options.files <= 0) exitWithUsage();
  return options;
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string pageName(long page) {
  char name[32];
  std::snprintf(name, sizeof name, "d%02ld/page%04ld.md", page % kFolders, page);
  return name;
}

// The fourth word of a paragraph becomes inline code and the eighth a
// link to another page.
std::string decorated(std::string_view paragraph, long page) {
  std::string out;
  int word = 0;
  size_t start = 0;
  while (start < paragraph.size()) {
    size_t end = paragraph.find(' ', start);
    if (end == std::string_view::npos) end = paragraph.size();
    const std::string_view piece = paragraph.substr(start, end - start);
    ++word;
    if (word == 4) {
      out += "`" + std::string(piece) + "`";
    } else if (word == 8) {
      out += "[" + std::string(piece) + "](../" + pageName(page + 1) + ")";
    } else {
      out += piece;
    }
    if (end < paragraph.size()) out += ' ';
    start = end + 1;
  }
  return out;
}

// The first words of a paragraph, cut at a space so that no UTF-8
// sequence is cut.
std::string_view firstWords(std::string_view paragraph, size_t atLeast) {
  return paragraph.substr(0, paragraph.find(' ', atLeast));
}

std::string pageHead(long page, std::string_view firstParagraph) {
  const std::string_view title = firstWords(firstParagraph, 20);
  return "---\ntitle: Page " + std::to_string(page) + "\ntags: [guide, reference]\n---\n\n# " +
         std::string(title) + "\n\n";
}

std::string codeBlock(long page) {
  return "```sh\nverbolt-analyze --format line docs/ > findings.txt\ngrep -c repetition "
         "findings.txt  # page " +
         std::to_string(page) + "\n```\n\n";
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

int main(int argc, char** argv) {
  const Options options = parseOptions(argc, argv);
  const size_t total = static_cast<size_t>(options.megabytes * 1024 * 1024);
  const std::string prose = cp1252ToUtf8(generateProse(total, options.seed));
  const std::vector<std::string_view> paragraphs = splitLines(prose);
  const size_t perPage = total / static_cast<size_t>(options.files);

  size_t next = 0;
  size_t written = 0;
  for (long page = 0; page < options.files; ++page) {
    const fs::path path = fs::path(options.outputDir) / pageName(page);
    fs::create_directories(path.parent_path());
    std::string text = pageHead(page, next < paragraphs.size() ? paragraphs[next] : "");
    for (int n = 0; text.size() < perPage && next < paragraphs.size(); ++n, ++next) {
      if (n % 5 == 4) text += "## " + std::string(firstWords(paragraphs[next], 30)) + "\n\n";
      if (n % 3 == 2) text += "- ";
      text += decorated(paragraphs[next], page) + "\n\n";
      if (n % 4 == 3) text += codeBlock(page);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) {
      std::fprintf(stderr, "generate-markdown-tree: cannot write %s\n", path.c_str());
      return 1;
    }
    written += text.size();
  }
  std::printf("%s: %ld Markdown files, %zu bytes, seed %u\n", options.outputDir.c_str(),
              options.files, written, options.seed);
  return 0;
}
