// verbolt-analyze: runs the repetition analysis of the Process command on a
// text file and prints the result lists and the Top-100, for scripts and
// for checking the engine without the window.

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <limits>
#include <new>
#include <string>
#include <string_view>

#include "analysis/analysis_pass.h"
#include "manuscript/atomic_write.h"
#include "manuscript/manuscript.h"
#include "settings/analysis_settings.h"
#include "settings/configuration.h"
#include "text/cp1252.h"
#include "text/words.h"
#include "tools/analyze_families.h"
#include "tools/analyze_html.h"
#include "tools/analyze_output.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitWriteFailure = 1;
constexpr int kExitUsage = 2;

constexpr std::string_view kProgram = "verbolt-analyze";

// Positions are ints throughout the engine.
constexpr long long kMaxTextLength = std::numeric_limits<int>::max();

constexpr std::string_view kUsage =
    "Usage: verbolt-analyze [--config FILE] [--summary] [--unique] [--utf8] [--html FILE]\n"
    "                       TEXTFILE\n"
    "\n"
    "Looks for close and distant repetitions, searched words and phrases in\n"
    "TEXTFILE, read as Windows-1252 bytes (\"-\" reads standard input), the way\n"
    "the Process command does, and prints the results. A TEXTFILE ending in\n"
    "\".odt\", \".docx\" or \".md\" is opened as the window opens it: the body\n"
    "text of the document, or the Markdown in its own encoding, one position\n"
    "per character and each line end one position.\n"
    "\n"
    "  --config FILE  take the settings from FILE, a config.txt of the window;\n"
    "                 a file that lacks a setting falls back to the defaults.\n"
    "                 FILE is only read. Without this option the defaults apply.\n"
    "  --summary      print the text figures, the number of results of each\n"
    "                 kind and the Top-100 instead of the JSON object\n"
    "  --unique       list each close and distant repetition start once, in\n"
    "                 ascending order, as the window paints them, instead of as\n"
    "                 often as the rules find it (with wide similar-word\n"
    "                 settings the full lists grow with the square of the words)\n"
    "  --utf8         TEXTFILE is UTF-8 (also assumed when it starts with a\n"
    "                 byte-order mark); each character counts as one position,\n"
    "                 as in the window, and one outside Windows-1252 becomes a\n"
    "                 separator. Invalid UTF-8 is an input error.\n"
    "  --html FILE    also write the text with its highlights, the legend and\n"
    "                 the Top-100 to FILE, one self-contained web page\n"
    "  --families KIND  similar words share a beginning (beginning, the default)\n"
    "                 or a dictionary form in the French or English Hunspell\n"
    "                 dictionary (lemma-fr, lemma-en)\n"
    "  --help         print this help and exit\n"
    "  --             end of options; a TEXTFILE starting with \"-\" may follow\n"
    "\n"
    "Output: one UTF-8 JSON object with phraseRanges ([start, length] pairs),\n"
    "searchedStarts, distantStarts and closeStarts (start positions, in bytes\n"
    "from the beginning of the text) and report (the Top-100 text).\n"
    "\n"
    "Exit status: 0 on success, 1 when the output (or the page) cannot be written,\n"
    "2 on a usage or input error, or when the memory runs out (one line on\n"
    "standard error, nothing on standard output).\n";

struct Options {
  bool help = false;
  bool summary = false;
  bool unique = false;
  bool utf8 = false;
  bool hasConfig = false;
  std::string configPath;
  bool hasHtml = false;
  std::string htmlPath;
  std::string textPath;
  std::string families = "beginning";
};

void printProblem(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram.data(), message.c_str());
}

std::string inQuotes(const std::string& path) { return "'" + path + "'"; }

bool parseArguments(int argc, char** argv, Options* options, std::string* problem) {
  int textPaths = 0;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
    if (!isOption) {
      options->textPath = argument;
      ++textPaths;
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help") {
      options->help = true;
    } else if (argument == "--summary") {
      options->summary = true;
    } else if (argument == "--unique") {
      options->unique = true;
    } else if (argument == "--utf8") {
      options->utf8 = true;
    } else if (argument == "--config") {
      if (i + 1 == argc) {
        *problem = "option --config needs a file name";
        return false;
      }
      options->hasConfig = true;
      options->configPath = argv[++i];
    } else if (argument.starts_with("--config=")) {
      options->hasConfig = true;
      options->configPath = argument.substr(std::string_view("--config=").size());
    } else if (argument == "--families" && i + 1 < argc) {
      options->families = argv[++i];
    } else if (argument.starts_with("--families=")) {
      options->families = argument.substr(std::string_view("--families=").size());
    } else if (argument == "--html") {
      if (i + 1 == argc) {
        *problem = "option --html needs a file name";
        return false;
      }
      options->hasHtml = true;
      options->htmlPath = argv[++i];
    } else if (argument.starts_with("--html=")) {
      options->hasHtml = true;
      options->htmlPath = argument.substr(std::string_view("--html=").size());
    } else {
      *problem = "unknown option " + inQuotes(argument) + " (try --help)";
      return false;
    }
  }
  if (options->help) return true;
  if (textPaths != 1) {
    *problem = textPaths == 0 ? "no text file given (try --help)"
                              : "expected one text file, got " + std::to_string(textPaths);
    return false;
  }
  return true;
}

std::string tooLongProblem(const std::string& name) {
  return name + " is too long: at most " + std::to_string(kMaxTextLength) +
         " bytes can be analysed";
}

// Reads every byte as it is: no newline conversion, no decoding.
bool readStream(std::FILE* file, const std::string& name, std::string* text, std::string* problem) {
  struct stat status;
  if (fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode)) {
    if (status.st_size > kMaxTextLength) {
      *problem = tooLongProblem(name);
      return false;
    }
    // Read straight into the text: no second copy of a long file.
    text->resize(static_cast<size_t>(status.st_size));
    text->resize(std::fread(text->data(), 1, text->size(), file));
  }
  // The rest of a stream, or what a regular file gained since it was
  // measured: a chunk the size of a pipe's buffer or so, so that a file
  // read whole costs no megabyte of fresh memory just to find its end.
  constexpr size_t kChunk = 64 * 1024;
  std::string chunk(kChunk, '\0');
  while (true) {
    size_t got = std::fread(chunk.data(), 1, kChunk, file);
    if (static_cast<long long>(text->size() + got) > kMaxTextLength) {
      *problem = tooLongProblem(name);
      return false;
    }
    text->append(chunk.data(), got);
    if (got < kChunk) break;
  }
  if (std::ferror(file)) {
    *problem = "cannot read " + name + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool readText(const std::string& path, std::string* text, std::string* problem) {
  if (path == "-") return readStream(stdin, "standard input", text, problem);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    *problem = "cannot read " + inQuotes(path) + ": " + std::strerror(errno);
    return false;
  }
  bool read = readStream(file, inQuotes(path), text, problem);
  std::fclose(file);
  return read;
}

// A configuration file that the system cannot find is an input error; one
// that is there but cannot be read as a file (a directory, a pipe, a file
// without read permission) leaves the defaults, with a warning. Either way
// the line names the real cause.
bool checkConfigFile(const Options& options, ConfigurationFileCheck* check, std::string* problem) {
  if (!options.hasConfig) return true;
  *check = checkConfigurationFile(options.configPath);
  std::error_code error;
  if (check->readable || std::filesystem::exists(options.configPath, error)) return true;
  *problem = "configuration file " + inQuotes(options.configPath) + " " +
             (check->error == ENOENT ? std::string("does not exist") : check->cause);
  return false;
}

// The window never analyses the lists as loaded: they go through its
// settings pane first, which lowers and trims every item. Doing the same
// makes a hand-edited "Said" find "said" here as it does there.
void passListsThroughPane(AnalysisSettings& settings) {
  for (WordList* list :
       {&settings.m_skipWords, &settings.m_wordsList, &settings.m_wordsPartsList}) {
    AnalysisSettings::SetListFromText(*list, AnalysisSettings::JoinList(*list, " "), " ");
  }
  AnalysisSettings::SetListFromText(settings.m_phrasesList,
                                    AnalysisSettings::JoinList(settings.m_phrasesList, "\n"), "\n");
}

// The settings a Process run would use right after the window started with
// this configuration file, except that the file is never rewritten.
AnalysisSettings loadSettings(const Options& options, const ConfigurationFileCheck& check) {
  AnalysisSettings settings;
  if (!options.hasConfig) {
    settings.ResetToDefaults();
  } else if (!check.readable) {
    std::fprintf(stderr, "%s: warning: configuration file %s %s; using the defaults\n",
                 kProgram.data(), inQuotes(options.configPath).c_str(), check.cause.c_str());
    settings.ResetToDefaults();
  } else if (!LoadConfiguration(settings, options.configPath)) {
    std::fprintf(stderr,
                 "%s: warning: %s is not a complete configuration file; using the defaults\n",
                 kProgram.data(), inQuotes(options.configPath).c_str());
    settings.ResetToDefaults();
  }
  passListsThroughPane(settings);
  settings.ClampToRanges();
  return settings;
}

// Writes the blocks straight to standard output; finish() is false when any
// of them, or the final flush, failed (a full disk, a closed pipe).
class StandardOutput {
 public:
  void write(std::string_view block) {
    if (std::fwrite(block.data(), 1, block.size(), stdout) != block.size()) m_failed = true;
  }

  bool finish() { return std::fflush(stdout) == 0 && !m_failed; }

 private:
  bool m_failed = false;
};

// A UTF-8 manuscript becomes one Windows-1252 byte per character, as the
// window's editor gives its text to the engine; a byte-order mark says so
// without the option and is not part of the text. `utf8Kept`, when given,
// receives the text as read, for the page of --html.
bool decodeUtf8IfAsked(const Options& options, std::string& text, std::string* problem,
                       std::string* utf8Kept) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const bool marked = std::string_view(text).starts_with(kByteOrderMark);
  if (!options.utf8 && !marked) return true;
  std::string_view utf8(text);
  if (marked) utf8.remove_prefix(kByteOrderMark.size());
  std::string decoded;
  size_t errorOffset = 0;
  if (!utf8ToCp1252(utf8, decoded, errorOffset)) {
    *problem = "invalid UTF-8 in " + inQuotes(options.textPath) + " at byte " +
               std::to_string(errorOffset + (marked ? kByteOrderMark.size() : 0));
    return false;
  }
  if (utf8Kept) *utf8Kept = utf8;
  text = std::move(decoded);
  return true;
}

// A summary only counts, so it keeps no list; --unique keeps each start
// once. Only the default output needs the full lists.
RepeatedStarts repeatedStartsFor(const Options& options) {
  if (options.unique) return RepeatedStarts::kCollapsed;
  // The page paints the starts, so a summary with a page keeps them.
  return options.summary && !options.hasHtml ? RepeatedStarts::kCounted : RepeatedStarts::kKept;
}

// Documents and Markdown are read as the window opens them; plain text and
// standard input stay bytes, exactly as before the window could open files.
bool isOpenedAsManuscript(const std::string& path) {
  return path != "-" && manuscriptKindOf(path) != ManuscriptKind::kPlainText;
}

bool readManuscriptText(const Options& options, std::string& text, std::string& utf8,
                        std::string* problem) {
  ReadOutcome outcome = readManuscript(options.textPath);
  if (!outcome.manuscript) {
    *problem = outcome.error;
    return false;
  }
  size_t errorOffset = 0;
  utf8ToCp1252(outcome.manuscript->utf8, text, errorOffset);
  if (static_cast<long long>(text.size()) > kMaxTextLength) {
    *problem = tooLongProblem(inQuotes(options.textPath));
    return false;
  }
  utf8 = std::move(outcome.manuscript->utf8);
  return true;
}

// The text, one Windows-1252 byte per position, and, for --html, the same
// text in UTF-8.
bool readInput(const Options& options, std::string& text, std::string& utf8, std::string* problem) {
  if (isOpenedAsManuscript(options.textPath)) {
    return readManuscriptText(options, text, utf8, problem);
  }
  utf8.clear();
  if (!readText(options.textPath, &text, problem) ||
      !decodeUtf8IfAsked(options, text, problem, options.hasHtml ? &utf8 : nullptr)) {
    return false;
  }
  if (options.hasHtml && utf8.empty()) utf8 = cp1252ToUtf8(text);
  return true;
}

std::string pageTitle(const Options& options) {
  if (options.textPath == "-") return "standard input";
  return std::filesystem::path(options.textPath).filename().string();
}

bool writeHtml(const Options& options, std::string_view utf8, std::string_view loweredText,
               const AnalysisResult& result, const AnalysisSettings& settings,
               std::string* problem) {
  const std::string html = analysisHtml(utf8, loweredText, result, settings, pageTitle(options));
  return writeFileAtomically(options.htmlPath, html, *problem);
}

int run(int argc, char** argv) {
  Options options;
  std::string problem;
  if (!parseArguments(argc, argv, &options, &problem)) {
    printProblem(problem);
    return kExitUsage;
  }
  StandardOutput output;
  if (options.help) {
    output.write(kUsage);
    return output.finish() ? kExitSuccess : kExitWriteFailure;
  }
  std::string text;
  std::string utf8;
  ConfigurationFileCheck check{true, 0, {}};
  if (!checkConfigFile(options, &check, &problem) || !readInput(options, text, utf8, &problem)) {
    printProblem(problem);
    return kExitUsage;
  }
  AnalysisSettings settings = loadSettings(options, check);
  if (!applyFamilies(options.families, settings, &problem)) {
    printProblem(problem);
    return kExitUsage;
  }

  // The text is folded in place: a 10 MB text need not exist twice.
  TextStatistics statistics;
  if (options.summary) {
    statistics = lowercaseAndCount(text);
  } else {
    lowercaseTextInPlace(text);
  }
  AnalysisResult result = analyzeText(text, settings, {}, repeatedStartsFor(options));

  if (options.summary) {
    output.write(analysisSummary(statistics, result, options.unique));
  } else {
    writeAnalysisJson(result, [&output](std::string_view block) { output.write(block); });
  }
  if (!output.finish()) {
    printProblem(std::string("cannot write the output: ") + std::strerror(errno));
    return kExitWriteFailure;
  }
  if (options.hasHtml && !writeHtml(options, utf8, text, result, settings, &problem)) {
    printProblem(problem);
    return kExitWriteFailure;
  }
  return kExitSuccess;
}

}  // namespace

// An exhausted memory, or any other failure, ends the tool with one line
// and the status of an input error, never with an abort.
int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc&) {
    printProblem(
        "out of memory: the result lists do not fit (try --unique, --summary or narrower "
        "similar-word settings)");
  } catch (const std::exception& failure) {
    printProblem(failure.what());
  }
  return kExitUsage;
}
