#include "settings/analysis_settings.h"

#include <algorithm>
#include <climits>

#include "strings/localized_text.h"
#include "text/words.h"

namespace verbolt {

namespace {

void clamp(int& value, int low, int high) { value = std::clamp(value, low, high); }

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  size_t pos = 0;
  while (true) {
    size_t found = text.find(from, pos);
    if (found == std::string_view::npos) break;
    result.append(text, pos, found - pos);
    result.append(to);
    pos = found + from.size();
  }
  result.append(text.substr(pos));
  return result;
}

std::string trimNonWordChars(std::string_view item) {
  size_t begin = 0;
  size_t end = item.size();
  while (begin < end && !isWordChar(item[begin])) ++begin;
  while (end > begin && !isWordChar(item[end - 1])) --end;
  return std::string(item.substr(begin, end - begin));
}

}  // namespace

AnalysisSettings AnalysisSettings::Defaults() {
  AnalysisSettings settings;
  settings.ResetToDefaults();
  return settings;
}

void AnalysisSettings::ResetToDefaults() {
  m_skipActive = 1;
  m_skipNbLettersMin = 4;
  m_skipNbLettersMax = 99;
  m_sameActive = 1;
  m_sameNbLetters = 4;
  m_samePercent = 50;
  m_closeActive = 1;
  m_closeDistance = 100;
  m_distantActive = 1;
  m_distantNb = 6;
  m_distantDistance = 1500;
  m_wordsActive = 0;
  m_wordsLetterMin = 99;
  m_wordsLetterMax = 99;
  m_phrasesActive = 0;
  SetListFromText(m_skipWords, LocalizedText(kStrDefaultSkipWords), " ");
  SetListFromText(m_wordsList, LocalizedText(kStrDefaultWordsList), " ");
  SetListFromText(m_wordsPartsList, LocalizedText(kStrDefaultWordsPartsList), " ");
  SetListFromText(m_phrasesList, LocalizedText(kStrDefaultPhrasesList), "\n");
  m_hiddenList.clear();
  m_lemmas.reset();
}

void AnalysisSettings::ClampToRanges() {
  clamp(m_skipActive, 0, 1);
  clamp(m_skipNbLettersMin, 1, 999999);
  clamp(m_skipNbLettersMax, 1, 999999);
  clamp(m_sameActive, 0, 1);
  clamp(m_sameNbLetters, 0, 999999);
  clamp(m_samePercent, 0, 100);
  clamp(m_closeActive, 0, 1);
  clamp(m_closeDistance, 1, 999999);
  clamp(m_distantActive, 0, 1);
  clamp(m_distantNb, 2, 99);
  clamp(m_distantDistance, 1, 999999);
  clamp(m_wordsActive, 0, 1);
  clamp(m_wordsLetterMin, 1, 999999);
  clamp(m_wordsLetterMax, 1, 999999);
  clamp(m_phrasesActive, 0, 1);
}

void AnalysisSettings::SetListFromText(WordList& list, std::string_view text,
                                       std::string_view separator) {
  list.clear();
  std::string lines = replaceAll(lowercaseText(text), separator, "\n");
  size_t start = 0;
  while (start <= lines.size()) {
    size_t end = lines.find('\n', start);
    if (end == std::string::npos) end = lines.size();
    std::string_view item(lines.data() + start, end - start);
    if (!item.empty() && item != " ") list.push_back(trimNonWordChars(item));
    start = end + 1;
  }
}

std::string AnalysisSettings::JoinList(const WordList& list, std::string_view separator) {
  std::string joined;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i > 0) joined.append(separator);
    joined.append(list[i]);
  }
  return joined;
}

int parseCount(std::string_view text) {
  size_t i = 0;
  auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = std::min(limit, magnitude * 10 + (text[i] - '0'));
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace verbolt
