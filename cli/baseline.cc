#include "cli/baseline.h"

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>

#include "cli/analyze_output.h"
#include "cli/lint_report.h"

namespace verbolt {

namespace fs = std::filesystem;

namespace {

constexpr int kVersion = 1;

const LintRuleInfo* ruleWithId(std::string_view id) {
  for (const LintRuleInfo& info : lintRules()) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

bool fileExists(const std::string& key) {
  std::error_code error;
  return fs::exists(fs::path(key), error);
}

}  // namespace

void Baseline::add(const std::string& key, const std::vector<LintFinding>& findings) {
  for (const LintFinding& f : findings) ++counts[key][std::string(lintRuleInfo(f.rule).id)];
}

long long Baseline::count(const std::string& key, LintRule rule) const {
  const auto file = counts.find(key);
  if (file == counts.end()) return 0;
  const auto counted = file->second.find(std::string(lintRuleInfo(rule).id));
  return counted == file->second.end() ? 0 : counted->second;
}

std::string baselineKey(std::string_view path) {
  if (path == "-") return "-";
  fs::path p{std::string(path)};
  if (p.is_absolute()) {
    std::error_code error;
    const fs::path relative = p.lexically_relative(fs::current_path(error));
    if (!error && !relative.empty()) p = relative;
  }
  return pathAsUtf8(p.lexically_normal().generic_string());
}

std::string baselineJson(const Baseline& baseline) {
  std::string out = "{\n  \"version\": " + std::to_string(kVersion) + ",\n  \"files\": {";
  bool firstFile = true;
  for (const auto& [key, rules] : baseline.counts) {
    out += firstFile ? "\n    " : ",\n    ";
    firstFile = false;
    appendJsonUtf8String(out, key);
    out += ": {";
    bool firstRule = true;
    for (const auto& [rule, count] : rules) {
      if (!firstRule) out += ", ";
      firstRule = false;
      appendJsonUtf8String(out, rule);
      out += ": ";
      appendDecimal(out, count);
    }
    out += "}";
  }
  out += firstFile ? "}\n}\n" : "\n  }\n}\n";
  return out;
}

bool parseBaseline(std::string_view text, Baseline& baseline, std::string& problem) {
  const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
  if (json.is_discarded() || !json.is_object()) {
    problem = "is not JSON";
    return false;
  }
  const auto version = json.find("version");
  const auto files = json.find("files");
  if (version == json.end() || *version != kVersion || files == json.end() || !files->is_object()) {
    problem = "is not a baseline of verbolt-analyze (version 1)";
    return false;
  }
  for (const auto& [key, rules] : files->items()) {
    if (!rules.is_object()) {
      problem = "gives no rules for " + key;
      return false;
    }
    for (const auto& [rule, count] : rules.items()) {
      if (!ruleWithId(rule) || !count.is_number_integer() || count.get<long long>() < 0) {
        problem = "has an entry that is not a rule and a count: " + key + " " + rule;
        return false;
      }
      if (count.get<long long>() > 0) baseline.counts[key][rule] = count.get<long long>();
    }
  }
  return true;
}

std::vector<LintFinding> findingsBeyond(const Baseline& baseline, const std::string& key,
                                        const std::vector<LintFinding>& findings) {
  const FindingCounts today = countFindings(findings);
  std::array<long long, kLintRuleCount> toSkip{};
  for (const LintRuleInfo& info : lintRules()) {
    const size_t rule = static_cast<size_t>(info.rule);
    toSkip[rule] = std::min(today.byRule[rule], baseline.count(key, info.rule));
  }
  // The first ones of each rule are the accepted ones: the last, newest
  // by position, are beyond the count.
  std::vector<LintFinding> beyond;
  for (const LintFinding& f : findings) {
    long long& skip = toSkip[static_cast<size_t>(f.rule)];
    if (skip > 0) {
      --skip;
    } else {
      beyond.push_back(f);
    }
  }
  return beyond;
}

std::vector<StaleEntry> staleEntries(const Baseline& baseline, const Baseline& today,
                                     const std::vector<std::string>& checkedKeys) {
  const std::set<std::string> checked(checkedKeys.begin(), checkedKeys.end());
  std::vector<StaleEntry> stale;
  for (const auto& [key, rules] : baseline.counts) {
    // A file this run did not check is only known gone.
    const bool wasChecked = checked.contains(key);
    if (!wasChecked && fileExists(key)) continue;
    for (const auto& [rule, counted] : rules) {
      long long found = -1;
      if (wasChecked) {
        const auto file = today.counts.find(key);
        found = 0;
        if (file != today.counts.end() && file->second.contains(rule)) {
          found = file->second.at(rule);
        }
        if (found >= counted) continue;
      }
      stale.push_back({key, rule, counted, found});
    }
  }
  return stale;
}

std::string staleLine(const std::vector<StaleEntry>& stale) {
  std::string line = std::to_string(stale.size()) +
                     (stale.size() == 1 ? " baseline entry no longer matches"
                                        : " baseline entries no longer match") +
                     " (--prune-baseline removes them):";
  for (const StaleEntry& entry : stale) {
    line += " " + pathOnALine(entry.key) + " " + entry.rule + " ";
    line += entry.found < 0 ? "(file gone)"
                            : std::to_string(entry.counted) + " > " + std::to_string(entry.found);
    if (&entry != &stale.back()) line += ",";
  }
  return line;
}

Baseline prunedBaseline(const Baseline& baseline, const std::vector<StaleEntry>& stale) {
  Baseline pruned = baseline;
  for (const StaleEntry& entry : stale) {
    auto& rules = pruned.counts[entry.key];
    if (entry.found > 0) {
      rules[entry.rule] = entry.found;
    } else {
      rules.erase(entry.rule);
    }
    if (rules.empty()) pruned.counts.erase(entry.key);
  }
  return pruned;
}

}  // namespace verbolt
