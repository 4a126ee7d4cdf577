// verbolt-analyze: runs the repetition analysis of the Process command on a
// text file and prints the result lists and the Top-100, for scripts and
// for checking the engine without the window; with --format, checks files
// and folders as a linter does, for writing and documentation pipelines.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <string_view>
#include <thread>

#include "analysis/analysis_pass.h"
#include "analysis/character_names.h"
#include "cli/analyze_exports.h"
#include "cli/analyze_families.h"
#include "cli/analyze_options.h"
#include "cli/analyze_output.h"
#include "cli/analyze_settings.h"
#include "cli/baseline.h"
#include "cli/inline_comments.h"
#include "cli/input_files.h"
#include "cli/line_columns.h"
#include "cli/lint_findings.h"
#include "cli/lint_report.h"
#include "cli/lsp_connection.h"
#include "cli/ordered_work.h"
#include "export/docx_export.h"
#include "files/durable_write.h"
#include "manuscript/atomic_write.h"
#include "manuscript/manuscript.h"
#include "manuscript/markdown_prose.h"
#include "settings/analysis_settings.h"
#include "settings/book_ignore.h"
#include "settings/configuration.h"
#include "text/cp1252.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFindings = 1;
constexpr int kExitWriteFailureOfOneFile = 1;
constexpr int kExitError = 2;

constexpr std::string_view kProgram = "verbolt-analyze";

// Positions are ints throughout the engine.
constexpr long long kMaxTextLength = std::numeric_limits<int>::max();

constexpr std::string_view kUsage =
    "Usage: verbolt-analyze [--config FILE] [--families KIND] [--summary] [--unique] [--utf8]\n"
    "                       [--no-ignore-files] [--skip-names] [--echoes] [--html FILE]\n"
    "                       [--docx FILE] TEXTFILE\n"
    "       verbolt-analyze --format FORMAT [--fail-on KINDS] [--config FILE] [--utf8]\n"
    "                       [--families KIND] [--no-ignore-files] [--skip-names] [--echoes]\n"
    "                       [--baseline FILE [--prune-baseline]] [--write-baseline FILE]\n"
    "                       FILE|FOLDER...\n"
    "       verbolt-analyze --lsp\n"
    "\n"
    "Looks for close and distant repetitions, searched words and phrases in\n"
    "TEXTFILE, read as Windows-1252 bytes (\"-\" reads standard input), the way\n"
    "the Process command does, and prints the results. A TEXTFILE ending in\n"
    "\".odt\", \".docx\" or \".md\" is opened as the window opens it: the body\n"
    "text of the document, or the Markdown in its own encoding, one position\n"
    "per character and each line end one position. Of Markdown only the prose\n"
    "is analysed: code, front matter, link targets, web addresses, HTML and the\n"
    "markup count as blanks, so positions still point into the file.\n"
    "\n"
    "With --format it checks several files and folders in one run, as a linter:\n"
    "a folder stands for its .txt, .md, .odt and .docx files at any depth, in\n"
    "sorted order, leaving out names that start with \".\".\n"
    "\n"
    "  --config FILE  take the settings from FILE, a config.txt of the window;\n"
    "                 a file that lacks a setting falls back to the defaults.\n"
    "                 FILE is only read. Without this option the defaults apply:\n"
    "                 no configuration file is ever looked for.\n"
    "  --format FORMAT  json: the JSON object below (for several files, an\n"
    "                 array of them, each with its \"path\"); summary: as\n"
    "                 --summary, under \"==> PATH <==\" for several files;\n"
    "                 line: PATH:LINE:COLUMN: RULE: MESSAGE, one finding a line;\n"
    "                 sarif: one SARIF 2.1.0 log; github: workflow commands\n"
    "                 \"::warning\" and one \"::notice\" with the counts.\n"
    "                 Rules: close-repetition (at the second of the pair),\n"
    "                 distant-repetition (at the occurrence that completes the\n"
    "                 count), searched-word, searched-phrase; with --echoes\n"
    "                 phrase-echo and sentence-opening (at the later occurrence,\n"
    "                 with the earlier one's place). Lines and columns count\n"
    "                 from 1, in characters; CRLF is one line end.\n"
    "                 In Markdown, <!-- verbolt off --> ... <!-- verbolt on -->\n"
    "                 silence every rule between them, <!-- verbolt off\n"
    "                 close,distant --> the rules named, and <!-- verbolt\n"
    "                 ignore-next-line --> the next line; a comment naming\n"
    "                 an unknown rule is a verbolt-comment finding.\n"
    "  --fail-on KINDS  exit with status 1 when there are findings of these\n"
    "                 kinds, a comma-separated list of close, distant,\n"
    "                 searched, phrase, echo, opening (both with --echoes),\n"
    "                 comment, or all; default none\n"
    "  --write-baseline FILE  write today's findings to FILE as counts per file\n"
    "                 and rule (JSON; paths relative to the working folder)\n"
    "  --baseline FILE  report, and fail on, only the findings beyond FILE's\n"
    "                 count for their file and rule (the last ones of the file);\n"
    "                 entries that no longer match are listed in one line on\n"
    "                 standard error\n"
    "  --prune-baseline  rewrite the --baseline FILE without those entries\n"
    "  --summary      print the text figures, the number of results of each\n"
    "                 kind and the Top-100 instead of the JSON object\n"
    "  --unique       list each close and distant repetition start once, in\n"
    "                 ascending order, as the window paints them, instead of as\n"
    "                 often as the rules find it (with wide similar-word\n"
    "                 settings the full lists grow with the square of the words)\n"
    "  --utf8         a plain-text file is UTF-8 (also assumed when it starts\n"
    "                 with a byte-order mark); each character counts as one\n"
    "                 position, as in the window, and one outside Windows-1252\n"
    "                 becomes a separator. Invalid UTF-8 is an input error.\n"
    "  --html FILE    also write the text with its highlights, the legend and\n"
    "                 the Top-100 to FILE, one self-contained web page\n"
    "  --docx FILE    also write the same to FILE as a Word document (.docx),\n"
    "                 each highlight as character shading in its colour\n"
    "  --no-ignore-files  leave out the books' own lists: without it, the words\n"
    "                 of every .verbolt-ignore file in a file's folder and the\n"
    "                 folders above it (up to one holding .git) are skipped as\n"
    "                 the skip list's are, for that file\n"
    "  --skip-names   skip the names of each file's characters and places: the\n"
    "                 words capitalised at every occurrence that stand at least\n"
    "                 once inside a sentence\n"
    "  --echoes       also find phrase echoes (2 to 6 words of one sentence that\n"
    "                 come back within 3,000 letters; skipped words never start\n"
    "                 or end one) and repeated sentence openings (3 of 5\n"
    "                 sentences in a row opening with one word); the JSON object\n"
    "                 gains phraseEchoes and sentenceOpenings ([start, length,\n"
    "                 start of the occurrence echoed or -1]), the summary their\n"
    "                 counts\n"
    "  --families KIND  similar words share a beginning (beginning, the default)\n"
    "                 or a dictionary form in the French or English Hunspell\n"
    "                 dictionary (lemma-fr, lemma-en)\n"
    "  --lsp          be a language server (LSP 3.17) over standard input and\n"
    "                 output, for editors: the findings of the open Markdown\n"
    "                 and text documents as diagnostics, as they are typed\n"
    "  --help         print this help and exit\n"
    "  --             end of options; a TEXTFILE starting with \"-\" may follow\n"
    "\n"
    "Output: one UTF-8 JSON object with phraseRanges ([start, length] pairs),\n"
    "searchedStarts, distantStarts and closeStarts (start positions, in bytes\n"
    "from the beginning of the text) and report (the Top-100 text).\n"
    "\n"
    "Exit status with --format or --fail-on: 0 when there is no finding of the\n"
    "kinds named by --fail-on, 1 when there is, 2 on an error: a usage error,\n"
    "a file that cannot be read (one line on standard error; the other files\n"
    "are still checked), an output that cannot be written, or a memory that\n"
    "runs out. Without either, for one TEXTFILE: 0 on success, 1 when the\n"
    "output (or the page, or the document) cannot be written, 2 on a usage or\n"
    "input error, or when the memory runs out (one line on standard error,\n"
    "nothing on standard output).\n";

void printProblem(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram.data(), message.c_str());
}

std::string inQuotes(const std::string& path) { return "'" + path + "'"; }

bool isFolder(const std::string& path) {
  std::error_code error;
  return path != "-" && std::filesystem::is_directory(path, error);
}

// One text file without --format gives the JSON object (or the summary)
// of earlier versions, byte for byte; anything more must say how to
// report it.
bool checkOperands(const AnalyzeOptions& options, std::string* problem) {
  const std::vector<std::string>& operands = options.operands;
  if (operands.empty()) {
    *problem = "no text file given (try --help)";
    return false;
  }
  const bool oneFile = operands.size() == 1 && !isFolder(operands[0]);
  if (!options.format && !oneFile) {
    *problem = operands.size() > 1
                   ? "expected one text file, got " + std::to_string(operands.size()) +
                         ": give --format (line, sarif, github, json, summary) to check several"
                   : inQuotes(operands[0]) + " is a folder: give --format to check its files";
    return false;
  }
  const bool findings = options.format && reportsFindings(*options.format);
  if (options.htmlPath && (!oneFile || findings)) {
    *problem = "--html writes the page of one text file beside its JSON object or summary";
    return false;
  }
  if (options.docxPath && (!oneFile || findings)) {
    *problem = "--docx writes the document of one text file beside its JSON object or summary";
    return false;
  }
  return true;
}

// The page or the document written over the text it is made from would
// lose the writer's manuscript: "--docx chapter.docx chapter.docx" is a
// slip of the keyboard, never a wish.
bool checkExportPaths(const AnalyzeOptions& options, std::string* problem) {
  for (const auto& [option, path] :
       {std::pair<std::string_view, const std::optional<std::string>&>{"--html", options.htmlPath},
        {"--docx", options.docxPath}}) {
    std::error_code error;
    if (path && options.operands[0] != "-" &&
        std::filesystem::equivalent(*path, options.operands[0], error)) {
      *problem = std::string(option) + " would write over the text file " +
                 inQuotes(options.operands[0]) + " it is made from";
      return false;
    }
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
  // A pipe without a writer would hold a plain open until one came; opened
  // without waiting, it reads as empty, and one being written is read as
  // it comes.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  std::FILE* file = nullptr;
  if (fd >= 0) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file = fdopen(fd, "rb");
    if (!file) close(fd);
  }
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
bool checkConfigFile(const AnalyzeOptions& options, ConfigurationFileCheck* check,
                     std::string* problem) {
  if (!options.configPath) return true;
  *check = checkConfigurationFile(*options.configPath);
  std::error_code error;
  if (check->readable || std::filesystem::exists(*options.configPath, error)) return true;
  *problem = "configuration file " + inQuotes(*options.configPath) + " " +
             (check->error == ENOENT ? std::string("does not exist") : check->cause);
  return false;
}

// The settings a Process run would use right after the window started with
// this configuration file, except that the file is never rewritten.
AnalysisSettings loadSettings(const AnalyzeOptions& options, const ConfigurationFileCheck& check) {
  std::string warning;
  AnalysisSettings settings = settingsOfConfig(options.configPath, check, warning);
  if (!warning.empty()) {
    std::fprintf(stderr, "%s: warning: %s\n", kProgram.data(), warning.c_str());
  }
  return settings;
}

// The settings of each file: the run's, with the words of its book's
// .verbolt-ignore files added. Each folder's files are read once; a file
// that cannot be used is told once, on standard error.
class BookSettings {
 public:
  BookSettings(const AnalyzeOptions& options, const AnalysisSettings& base)
      : m_use(!options.noIgnoreFiles), m_base(base) {}

  const AnalysisSettings& For(const std::string& path) {
    // Standard input is a text with no file, and no book.
    if (!m_use || path == "-") return m_base;
    const std::string folder = std::filesystem::path(path).parent_path().string();
    auto found = m_byFolder.find(folder);
    if (found == m_byFolder.end()) found = m_byFolder.emplace(folder, Read(folder)).first;
    return found->second ? *found->second : m_base;
  }

 private:
  std::shared_ptr<const AnalysisSettings> Read(const std::string& folder) {
    const BookIgnore book = readBookIgnore(folder.empty() ? "." : folder);
    for (const std::string& problem : book.problems) {
      if (m_told.insert(problem).second) {
        std::fprintf(stderr, "%s: warning: %s\n", kProgram.data(), problem.c_str());
      }
    }
    if (book.words.empty()) return nullptr;
    auto settings = std::make_shared<AnalysisSettings>(m_base);
    addBookIgnore(*settings, book);
    return settings;
  }

  bool m_use;
  const AnalysisSettings& m_base;
  std::map<std::string, std::shared_ptr<const AnalysisSettings>> m_byFolder;
  std::set<std::string> m_told;
};

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
// receives the text as read, for the exports.
bool decodeUtf8IfAsked(const AnalyzeOptions& options, const std::string& path, std::string& text,
                       std::string* problem, std::string* utf8Kept) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const bool marked = std::string_view(text).starts_with(kByteOrderMark);
  if (!options.utf8 && !marked) return true;
  std::string_view utf8(text);
  if (marked) utf8.remove_prefix(kByteOrderMark.size());
  std::string decoded;
  size_t errorOffset = 0;
  if (!utf8ToCp1252(utf8, decoded, errorOffset)) {
    *problem = "invalid UTF-8 in " + inQuotes(path) + " at byte " +
               std::to_string(errorOffset + (marked ? kByteOrderMark.size() : 0));
    return false;
  }
  if (utf8Kept) *utf8Kept = utf8;
  text = std::move(decoded);
  return true;
}

// Documents and Markdown are read as the window opens them; plain text and
// standard input stay bytes, exactly as before the window could open files.
bool isOpenedAsManuscript(const std::string& path) {
  return path != "-" && manuscriptKindOf(path) != ManuscriptKind::kPlainText;
}

bool readManuscriptText(const std::string& path, std::string& text, std::string& utf8,
                        std::string* problem) {
  // A document's text may be far larger than its file: it has a bound of
  // its own, so that a small file cannot hold a run for minutes.
  const ManuscriptKind kind = manuscriptKindOf(path);
  const bool document = kind == ManuscriptKind::kOdt || kind == ManuscriptKind::kDocx;
  ReadOutcome outcome = readManuscript(path, document ? kCheckedDocumentLimits : ReadLimits{});
  if (!outcome.manuscript) {
    *problem = outcome.error;
    return false;
  }
  utf8 = std::move(outcome.manuscript->utf8);
  size_t errorOffset = 0;
  if (outcome.manuscript->kind == ManuscriptKind::kMarkdown) {
    utf8ToCp1252(markdownProse(utf8), text, errorOffset);
  } else {
    utf8ToCp1252(utf8, text, errorOffset);
  }
  if (static_cast<long long>(text.size()) > kMaxTextLength) {
    *problem = tooLongProblem(inQuotes(path));
    return false;
  }
  return true;
}

// The exports show the text as it was read, in UTF-8.
bool writesExports(const AnalyzeOptions& options) {
  return options.htmlPath.has_value() || options.docxPath.has_value();
}

// The text, one Windows-1252 byte per position, and, for the exports, the
// same text in UTF-8 as it was read.
bool readInputText(const AnalyzeOptions& options, const std::string& path, std::string& text,
                   std::string& utf8, std::string* problem) {
  if (isOpenedAsManuscript(path)) return readManuscriptText(path, text, utf8, problem);
  utf8.clear();
  const bool exports = writesExports(options);
  if (!readText(path, &text, problem) ||
      !decodeUtf8IfAsked(options, path, text, problem, exports ? &utf8 : nullptr)) {
    return false;
  }
  if (exports && utf8.empty()) utf8 = cp1252ToUtf8(text);
  return true;
}

// The memory may run out while a file is read (an endless device, a
// document that unpacks to more than the machine holds): that file's
// problem, named as such, and not the result lists'.
bool readInput(const AnalyzeOptions& options, const std::string& path, std::string& text,
               std::string& utf8, std::string* problem) {
  try {
    return readInputText(options, path, text, utf8, problem);
  } catch (const std::bad_alloc&) {
    text = std::string();
    utf8 = std::string();
    *problem = "cannot read " + inQuotes(path) + ": out of memory while reading it";
    return false;
  }
}

std::string pageTitle(const std::string& path) {
  if (path == "-") return "standard input";
  return std::filesystem::path(path).filename().string();
}

// A summary only counts, so it keeps no list; --unique keeps each start
// once. The default output, the exports and the findings need the full lists.
RepeatedStarts repeatedStartsFor(const AnalyzeOptions& options, OutputFormat format) {
  if (reportsFindings(format)) return RepeatedStarts::kKept;
  if (options.unique) return RepeatedStarts::kCollapsed;
  return format == OutputFormat::kSummary && !writesExports(options) ? RepeatedStarts::kCounted
                                                                     : RepeatedStarts::kKept;
}

// What --fail-on looks at when the output lists no findings: whether the
// rules found anything at all of each kind.
long long echoing(const std::vector<EchoRange>& ranges) {
  return std::count_if(ranges.begin(), ranges.end(),
                       [](const EchoRange& range) { return range.earlier != kNoEarlier; });
}

FindingCounts countsOfLists(const AnalysisResult& result) {
  FindingCounts counts;
  counts.byRule[static_cast<size_t>(LintRule::kPhraseEcho)] = echoing(result.phraseEchoes);
  counts.byRule[static_cast<size_t>(LintRule::kSentenceOpening)] = echoing(result.sentenceOpenings);
  counts.byRule[static_cast<size_t>(LintRule::kCloseRepetition)] =
      static_cast<long long>(result.closeStartCount / 2);
  counts.byRule[static_cast<size_t>(LintRule::kDistantRepetition)] =
      static_cast<long long>(result.distantStartCount);
  counts.byRule[static_cast<size_t>(LintRule::kSearchedWord)] =
      static_cast<long long>(result.searchedStarts.size());
  counts.byRule[static_cast<size_t>(LintRule::kSearchedPhrase)] =
      static_cast<long long>(result.phraseRanges.size() / 2);
  return counts;
}

bool failsTheRun(const AnalyzeOptions& options, const FindingCounts& counts) {
  if (!options.failOn) return false;
  for (size_t i = 0; i < kLintRuleCount; ++i) {
    if ((*options.failOn)[i] && counts.byRule[i] > 0) return true;
  }
  return false;
}

// The statuses of a run with --format or --fail-on: an output that cannot
// be written is an error like a file that cannot be read.
bool linterStatuses(const AnalyzeOptions& options) { return options.formatGiven || options.failOn; }

// The names of the text's characters join the words to skip.
void addNames(AnalysisSettings& settings, std::string_view text) {
  for (std::string& name : characterNames(text)) settings.m_skipWords.push_back(std::move(name));
}

// One text file, JSON or summary: the output of earlier versions.
int runOneFile(const AnalyzeOptions& options, const AnalysisSettings& runSettings) {
  const std::string& path = options.operands[0];
  BookSettings books(options, runSettings);
  AnalysisSettings settings = books.For(path);
  const OutputFormat format = options.format.value_or(OutputFormat::kJson);
  std::string text;
  std::string utf8;
  std::string problem;
  if (!readInput(options, path, text, utf8, &problem)) {
    printProblem(problem);
    return kExitError;
  }
  if (options.skipNames) addNames(settings, text);
  const bool summary = format == OutputFormat::kSummary;
  // The text is folded in place: a 10 MB text need not exist twice.
  TextStatistics statistics;
  if (summary) {
    statistics = lowercaseAndCount(text);
  } else {
    lowercaseTextInPlace(text);
  }
  AnalysisResult result = analyzeText(text, settings, {}, repeatedStartsFor(options, format));

  StandardOutput output;
  if (summary) {
    output.write(analysisSummary(statistics, result, options.unique, options.echoes));
  } else {
    writeAnalysisJson(
        result, [&output](std::string_view block) { output.write(block); }, options.echoes);
  }
  const int writeFailure = linterStatuses(options) ? kExitError : kExitWriteFailureOfOneFile;
  if (!output.finish()) {
    printProblem(std::string("cannot write the output: ") + std::strerror(errno));
    return writeFailure;
  }
  if (options.htmlPath) {
    const std::string html = analysisHtml(utf8, text, result, settings, pageTitle(path));
    if (!writeFileAtomically(*options.htmlPath, html, problem)) {
      printProblem(problem);
      return writeFailure;
    }
  }
  if (options.docxPath) {
    const std::optional<std::string> docx =
        analysisDocx(utf8, text, result, settings, pageTitle(path));
    if (!docx || !writeFileAtomically(*options.docxPath, *docx, problem)) {
      printProblem(docx ? problem : std::string(kDocxTooLarge));
      return writeFailure;
    }
  }
  return failsTheRun(options, countsOfLists(result)) ? kExitFindings : kExitSuccess;
}

// One file of several, analysed: what the report needs, or why it could
// not be read.
struct FileCheck {
  std::string problem;
  std::string written;  // the analysed text as written, when findings quote it
  AnalysisResult result;
  TextStatistics statistics;  // for the summary only
  std::vector<LintFinding> findings;
  LineColumns lines{std::string_view()};
};

// The comments are read in the file as written: the prose has them as blanks.
void silenceByComments(std::string_view utf8, FileCheck& check) {
  std::string markdown;
  size_t errorOffset = 0;
  utf8ToCp1252(utf8, markdown, errorOffset);
  applyInlineComments(markdown, check.written, check.findings);
}

FileCheck checkFile(const AnalyzeOptions& options, const AnalysisSettings& fileSettings,
                    const std::string& path, OutputFormat format, PassThreads threads) {
  FileCheck check;
  std::string text;
  std::string utf8;
  if (!readInput(options, path, text, utf8, &check.problem)) return check;
  AnalysisSettings settings = fileSettings;
  if (options.skipNames) addNames(settings, text);
  const bool withFindings = reportsFindings(format);
  // Findings quote the words as written; the engine takes them folded.
  if (withFindings) {
    check.written = text;
    lowercaseTextInPlace(text);
  } else {
    check.statistics = lowercaseAndCount(text);
  }
  check.result = analyzeText(text, settings, {}, repeatedStartsFor(options, format), threads);
  if (withFindings) {
    check.findings = lintFindings(text, check.result, settings.m_distantNb);
    if (manuscriptKindOf(path) == ManuscriptKind::kMarkdown) silenceByComments(utf8, check);
  }
  // Most files of a tidy tree have no finding: their lines are never asked.
  if (!check.findings.empty()) check.lines = LineColumns(check.written);
  return check;
}

// The baseline of --baseline, read before any file is checked: one that
// cannot be read is an error of the run, as a missing --config file is.
bool readBaseline(const AnalyzeOptions& options, Baseline& baseline, std::string* problem) {
  if (!options.baselinePath) return true;
  std::string text;
  if (!readText(*options.baselinePath, &text, problem)) return false;
  std::string why;
  if (!parseBaseline(text, baseline, why)) {
    *problem = "baseline " + inQuotes(*options.baselinePath) + " " + why;
    return false;
  }
  return true;
}

// After the run: the entries that no longer match, told in one line (and
// pruned when asked), and today's counts written when asked.
bool finishBaselines(const AnalyzeOptions& options, const Baseline& baseline, const Baseline& today,
                     const std::vector<std::string>& checkedKeys) {
  std::string problem;
  if (options.baselinePath) {
    const std::vector<StaleEntry> stale = staleEntries(baseline, today, checkedKeys);
    if (!stale.empty() && !options.pruneBaseline) printProblem(staleLine(stale));
    if (!stale.empty() && options.pruneBaseline &&
        !writeFileAtomically(*options.baselinePath, baselineJson(prunedBaseline(baseline, stale)),
                             problem)) {
      printProblem(problem);
      return false;
    }
  }
  if (options.writeBaselinePath &&
      !writeFileAtomically(*options.writeBaselinePath, baselineJson(today), problem)) {
    printProblem(problem);
    return false;
  }
  return true;
}

int runSeveralFiles(const AnalyzeOptions& options, const AnalysisSettings& settings) {
  const OutputFormat format = *options.format;
  Baseline baseline;
  std::string problem;
  if (!readBaseline(options, baseline, &problem)) {
    printProblem(problem);
    return kExitError;
  }
  const bool baselines = options.baselinePath || options.writeBaselinePath;
  Baseline today;
  std::vector<std::string> checkedKeys;
  StandardOutput output;
  std::unique_ptr<LintReport> report = makeLintReport(
      format, [&output](std::string_view block) { output.write(block); }, options.unique,
      options.echoes);
  LintTotals totals;
  const std::vector<InputFile> files = inputFiles(options.operands);
  // Found before the checks start, on this thread: they run side by side.
  BookSettings books(options, settings);
  std::vector<const AnalysisSettings*> fileSettings;
  for (const InputFile& file : files) fileSettings.push_back(&books.For(file.path));
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  auto check = [&](size_t i, PassThreads threads) {
    if (files[i].problem.empty())
      return checkFile(options, *fileSettings[i], files[i].path, format, threads);
    FileCheck unlisted;
    unlisted.problem = files[i].problem;
    return unlisted;
  };
  auto deliver = [&](size_t i, FileCheck&& checked) {
    if (!checked.problem.empty()) {
      // A document's sentence names the file alone; in a tree the path
      // tells which of the many "index.md".
      const bool named = checked.problem.find(files[i].path) != std::string::npos;
      printProblem(named ? checked.problem : pathOnALine(files[i].path) + ": " + checked.problem);
      ++totals.unreadable;
      return;
    }
    if (baselines) {
      const std::string key = baselineKey(files[i].path);
      checkedKeys.push_back(key);
      today.add(key, checked.findings);
      if (options.baselinePath) {
        checked.findings = findingsBeyond(baseline, key, checked.findings);
      }
    }
    report->file({files[i].path, checked.written, checked.result, checked.statistics,
                  checked.findings, checked.lines, options.echoes});
    ++totals.files;
    totals.findings.add(reportsFindings(format) ? countFindings(checked.findings)
                                                : countsOfLists(checked.result));
  };
  report->begin();
  // A lone file may share its own analysis between the cores instead.
  const PassThreads threads = files.size() > 1 ? PassThreads::kOne : PassThreads::kAutomatic;
  // The dictionary's cache answers the one thread that asked first (see
  // lemma/lemma_cache.h): with it, the files are checked one at a time on
  // this thread, where the families were loaded.
  const unsigned workers = settings.m_lemmas ? 1 : cores;
  runInOrder<FileCheck>(
      files.size(), workers, [&](size_t i) { return check(i, threads); }, deliver);
  report->end(totals);
  if (!output.finish()) {
    printProblem(std::string("cannot write the output: ") + std::strerror(errno));
    return kExitError;
  }
  if (baselines && !finishBaselines(options, baseline, today, checkedKeys)) return kExitError;
  if (totals.unreadable > 0) return kExitError;
  return failsTheRun(options, totals.findings) ? kExitFindings : kExitSuccess;
}

bool usesOneFileOutput(const AnalyzeOptions& options) {
  const OutputFormat format = options.format.value_or(OutputFormat::kJson);
  return options.operands.size() == 1 && !isFolder(options.operands[0]) &&
         (format == OutputFormat::kJson || format == OutputFormat::kSummary);
}

int run(int argc, char** argv) {
  const ParsedOptions parsed = parseAnalyzeOptions(std::vector<std::string>(argv + 1, argv + argc));
  const AnalyzeOptions& options = parsed.options;
  if (!parsed.problem.empty()) {
    printProblem(parsed.problem);
    return kExitError;
  }
  if (options.help) {
    StandardOutput output;
    output.write(kUsage);
    return output.finish() ? kExitSuccess : kExitWriteFailureOfOneFile;
  }
  // The editor gives the settings, and every document, over the protocol.
  if (options.lsp) return runLanguageServer(STDIN_FILENO, STDOUT_FILENO);
  std::string problem;
  ConfigurationFileCheck check{true, 0, {}};
  if (!checkOperands(options, &problem) || !checkExportPaths(options, &problem) ||
      !checkConfigFile(options, &check, &problem)) {
    printProblem(problem);
    return kExitError;
  }
  AnalysisSettings settings = loadSettings(options, check);
  settings.m_echoes.phrasesActive = options.echoes;
  settings.m_echoes.openingsActive = options.echoes;
  if (!applyFamilies(options.families, settings, &problem)) {
    printProblem(problem);
    return kExitError;
  }
  return usesOneFileOutput(options) ? runOneFile(options, settings)
                                    : runSeveralFiles(options, settings);
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

// An exhausted memory, or any other failure, ends the tool with one line
// and the status of an input error, never with an abort.
int main(int argc, char** argv) {
  ignoreFileSizeSignal();
  // A reader that went away (`| head`) is an output that cannot be
  // written, with its status, not a kill by the signal.
  std::signal(SIGPIPE, SIG_IGN);
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc&) {
    printProblem(
        "out of memory: the result lists do not fit (try --unique, --summary or narrower "
        "similar-word settings)");
  } catch (const std::exception& failure) {
    printProblem(failure.what());
  }
  return kExitError;
}
