// The colours that follow the typing: the plan of the last update, kept
// with its text, and brought up to date after an edit by analysing again
// only the stretch the edit can reach, wherever that gives what a pass over
// the whole text would.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_pass.h"
#include "highlight/plan/paint_plan.h"
#include "highlight/plan/palette.h"
#include "settings/analysis_settings.h"

namespace verbolt {

class LivePlan {
 public:
  // Brings the plan, the Top-100 report and the Top phrases to `lowered`
  // under `settings` (clamped): what planHighlights over a whole pass
  // gives, whichever way they were found.
  void update(std::string_view lowered, const AnalysisSettings& settings);

  const std::vector<ColourRun>& runs() const { return m_runs; }
  const std::string& report() const { return m_report; }
  const std::vector<PhraseCount>& topPhrases() const { return m_topPhrases; }
  // Whether the last update analysed the whole text.
  bool wasWhole() const { return m_whole; }

  // A word of the text and where it starts.
  struct Token {
    std::string_view word;
    int start;
  };

 private:
  // A word of the text that the skip filter lets through: how often it
  // occurs, where it first starts, and the count of its word table entry.
  struct Form {
    int own;
    int first;
    int entry;
  };
  void analyseWhole(std::string_view text, const AnalysisSettings& settings);
  bool analyseStretch(std::string_view text);
  std::vector<Token> tokensOf(std::string_view text, size_t from, size_t to) const;
  int formId(std::string_view word) const;
  template <typename Visit>
  void forEachKeyTaking(std::string_view word, Visit visit) const;
  template <typename Visit>
  void forEachKeyGiving(std::string_view key, Visit visit) const;
  std::vector<std::string_view> formsBefore(const std::vector<Token>& stretch, int before) const;
  void analyseZone(std::string_view text, size_t from, size_t to, int zoneStart, int zoneEnd,
                   int shift);
  void buildReport();

  bool m_kept = false;
  bool m_whole = false;
  std::string m_text;
  AnalysisSettings m_settings;
  Palette m_palette{};
  std::vector<ColourRun> m_runs;
  std::string m_report;
  std::vector<PhraseCount> m_topPhrases;
  std::map<std::string, int, std::less<>> m_formIds;
  std::vector<Form> m_forms;  // by id
  std::vector<int> m_freeIds;
};

}  // namespace verbolt
