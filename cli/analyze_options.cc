#include "cli/analyze_options.h"

#include <functional>
#include <string_view>

namespace verbolt {

namespace {

std::string inQuotes(std::string_view text) { return "'" + std::string(text) + "'"; }

std::optional<OutputFormat> formatNamed(std::string_view name) {
  if (name == "json") return OutputFormat::kJson;
  if (name == "summary") return OutputFormat::kSummary;
  if (name == "line") return OutputFormat::kLine;
  if (name == "sarif") return OutputFormat::kSarif;
  if (name == "github") return OutputFormat::kGithub;
  return std::nullopt;
}

bool setFormat(AnalyzeOptions& options, OutputFormat format, std::string& problem) {
  if (options.format && *options.format != format) {
    problem = "two output formats given (--format, --summary)";
    return false;
  }
  options.format = format;
  return true;
}

// "close,distant", "all" or "none".
bool setFailOn(AnalyzeOptions& options, std::string_view list, std::string& problem) {
  std::array<bool, kLintRuleCount> kinds{};
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view kind = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    bool known = kind == "none";
    for (const LintRuleInfo& info : lintRules()) {
      if (kind == info.kind || kind == "all") {
        kinds[static_cast<size_t>(info.rule)] = true;
        known = true;
      }
    }
    if (!known) {
      problem =
          "--fail-on takes close, distant, searched, phrase, echo, opening, comment, all or none, "
          "not " +
          inQuotes(kind);
      return false;
    }
    if (kind == "echo" || kind == "opening") options.failOnEchoes = true;
  }
  options.failOn = kinds;
  return true;
}

struct OptionRow {
  std::string_view name;
  bool takesValue;
  std::function<bool(AnalyzeOptions&, const std::string& value, std::string& problem)> apply;
};

const std::vector<OptionRow>& optionTable() {
  static const std::vector<OptionRow> kTable = {
      {"--help", false,
       [](AnalyzeOptions& o, const std::string&, std::string&) { return o.help = true; }},
      {"--lsp", false,
       [](AnalyzeOptions& o, const std::string&, std::string&) { return o.lsp = true; }},
      {"--unique", false,
       [](AnalyzeOptions& o, const std::string&, std::string&) { return o.unique = true; }},
      {"--utf8", false,
       [](AnalyzeOptions& o, const std::string&, std::string&) { return o.utf8 = true; }},
      {"--skip-names", false,
       [](AnalyzeOptions& o, const std::string&, std::string&) { return o.skipNames = true; }},
      {"--echoes", false,
       [](AnalyzeOptions& o, const std::string&, std::string&) { return o.echoes = true; }},
      {"--no-ignore-files", false,
       [](AnalyzeOptions& o, const std::string&, std::string&) { return o.noIgnoreFiles = true; }},
      {"--prune-baseline", false,
       [](AnalyzeOptions& o, const std::string&, std::string&) { return o.pruneBaseline = true; }},
      {"--baseline", true,
       [](AnalyzeOptions& o, const std::string& value, std::string&) {
         o.baselinePath = value;
         return true;
       }},
      {"--write-baseline", true,
       [](AnalyzeOptions& o, const std::string& value, std::string&) {
         o.writeBaselinePath = value;
         return true;
       }},
      {"--summary", false,
       [](AnalyzeOptions& o, const std::string&, std::string& problem) {
         return setFormat(o, OutputFormat::kSummary, problem);
       }},
      {"--config", true,
       [](AnalyzeOptions& o, const std::string& value, std::string&) {
         o.configPath = value;
         return true;
       }},
      {"--html", true,
       [](AnalyzeOptions& o, const std::string& value, std::string&) {
         o.htmlPath = value;
         return true;
       }},
      {"--docx", true,
       [](AnalyzeOptions& o, const std::string& value, std::string&) {
         o.docxPath = value;
         return true;
       }},
      {"--format", true,
       [](AnalyzeOptions& o, const std::string& value, std::string& problem) {
         o.formatGiven = true;
         const std::optional<OutputFormat> format = formatNamed(value);
         if (!format) {
           problem = "--format takes json, summary, line, sarif or github, not " + inQuotes(value);
           return false;
         }
         return setFormat(o, *format, problem);
       }},
      {"--families", true,
       [](AnalyzeOptions& o, const std::string& value, std::string&) {
         o.families = value;
         return true;
       }},
      {"--fail-on", true,
       [](AnalyzeOptions& o, const std::string& value, std::string& problem) {
         return setFailOn(o, value, problem);
       }},
  };
  return kTable;
}

const OptionRow* rowNamed(std::string_view name) {
  for (const OptionRow& row : optionTable()) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

}  // namespace

ParsedOptions parseAnalyzeOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  bool optionsEnded = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      parsed.options.operands.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    const size_t equals = argument.find('=');
    const OptionRow* row = rowNamed(std::string_view(argument).substr(0, equals));
    if (!row || (equals != std::string::npos && !row->takesValue)) {
      parsed.problem = "unknown option " + inQuotes(argument) + " (try --help)";
      return parsed;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (row->takesValue) {
      if (i + 1 == arguments.size()) {
        parsed.problem = "option " + std::string(row->name) + " needs a value";
        return parsed;
      }
      value = arguments[++i];
    }
    if (!row->apply(parsed.options, value, parsed.problem)) return parsed;
  }
  const AnalyzeOptions& options = parsed.options;
  // Without --echoes such a check would pass whatever the text.
  if (options.failOnEchoes && !options.echoes) {
    parsed.problem = "--fail-on echo or opening needs --echoes";
  }
  // A baseline counts findings, which only these formats make.
  const bool baseline = options.baselinePath || options.writeBaselinePath;
  if (baseline && !(options.format && reportsFindings(*options.format))) {
    parsed.problem = "--baseline and --write-baseline need --format line, sarif or github";
  }
  if (options.lsp && !options.operands.empty()) {
    parsed.problem = "--lsp reads the editor's documents, not files named on the command line";
  }
  if (options.pruneBaseline && !options.baselinePath) {
    parsed.problem = "--prune-baseline needs --baseline FILE, the file it rewrites";
  }
  return parsed;
}

}  // namespace verbolt
