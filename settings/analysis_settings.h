// The record that carries every parameter of a repetition analysis.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "settings/echo_settings.h"
#include "settings/lemma_source.h"

namespace verbolt {

using WordList = std::vector<std::string>;

struct AnalysisSettings {
  int m_skipActive = 0;
  int m_skipNbLettersMin = 0;
  int m_skipNbLettersMax = 0;
  WordList m_skipWords;
  int m_sameActive = 0;
  int m_sameNbLetters = 0;
  int m_samePercent = 0;
  int m_closeActive = 0;
  int m_closeDistance = 0;
  int m_distantActive = 0;
  int m_distantNb = 0;
  int m_distantDistance = 0;
  int m_wordsActive = 0;
  int m_wordsLetterMin = 0;
  int m_wordsLetterMax = 0;
  WordList m_wordsList;
  WordList m_wordsPartsList;
  int m_phrasesActive = 0;
  WordList m_phrasesList;
  WordList m_hiddenList;  // never stored: lasts as long as the program runs
  // Never stored in config.txt: with similar words on, words are similar
  // when they share a dictionary form, rather than a beginning, while set.
  std::shared_ptr<LemmaSource> m_lemmas;
  // Never stored in config.txt: the phrases and openings that echo.
  EchoSettings m_echoes;

  // A record holding the defaults, in the language the string table
  // answers in.
  static AnalysisSettings Defaults();

  void ResetToDefaults();
  void ClampToRanges();

  // Replaces `list` with the lowered items of `text`, split at
  // `separator` and trimmed of non-word characters at both ends.
  static void SetListFromText(WordList& list, std::string_view text, std::string_view separator);
  static std::string JoinList(const WordList& list, std::string_view separator);

  // Equal fields, the same dictionary (not merely an equal one).
  friend bool operator==(const AnalysisSettings&, const AnalysisSettings&) = default;
};

// Reads a decimal integer the way atoi does (leading white space, optional
// sign, digits up to the first other character, 0 without digits), except
// that a value beyond the int range saturates at its limit.
int parseCount(std::string_view text);

}  // namespace verbolt
