// List normalisation and joining over arbitrary text and separators.
// Normalised items hold no ASCII capital, no line feed and no separator,
// and begin and end with a word character unless empty; joining them with
// a separator of non-word characters and normalising again gives back the
// same items, less the empty ones.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "settings/analysis_settings.h"
#include "text/words.h"

namespace verbolt {

namespace {

// The two separators the program uses, or any short byte string.
std::string drawSeparator(FuzzedDataProvider& data) {
  switch (data.ConsumeIntegralInRange(0, 2)) {
    case 0:
      return " ";
    case 1:
      return "\n";
    default:
      return data.ConsumeRandomLengthString(4);
  }
}

bool hasCapital(std::string_view item) {
  return std::any_of(item.begin(), item.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool hasWordCharEnds(std::string_view item) {
  return item.empty() || (isWordChar(item.front()) && isWordChar(item.back()));
}

bool isNonWordOnly(std::string_view separator) {
  return !separator.empty() &&
         std::none_of(separator.begin(), separator.end(), [](char c) { return isWordChar(c); });
}

void checkItems(const WordList& list, std::string_view separator) {
  for (const std::string& item : list) {
    FUZZ_CHECK(!hasCapital(item));
    FUZZ_CHECK(hasWordCharEnds(item));
    FUZZ_CHECK(item.find('\n') == std::string::npos);
    if (!separator.empty()) FUZZ_CHECK(item.find(separator) == std::string::npos);
  }
}

void checkJoin(const WordList& list, std::string_view separator, const std::string& joined) {
  size_t expected = list.empty() ? 0 : (list.size() - 1) * separator.size();
  for (const std::string& item : list) expected += item.size();
  FUZZ_CHECK(joined.size() == expected);
  if (!list.empty()) FUZZ_CHECK(joined.starts_with(list.front()));
  if (!list.empty()) FUZZ_CHECK(joined.ends_with(list.back()));
}

WordList withoutEmptyItems(WordList list) {
  std::erase(list, std::string());
  return list;
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  const std::string separator = drawSeparator(data);
  const std::string text = data.ConsumeRemainingBytesAsString();

  WordList list = {"left over"};  // normalising replaces what was there
  AnalysisSettings::SetListFromText(list, text, separator);
  checkItems(list, separator);

  const std::string joined = AnalysisSettings::JoinList(list, separator);
  checkJoin(list, separator, joined);

  if (isNonWordOnly(separator)) {
    WordList again;
    AnalysisSettings::SetListFromText(again, joined, separator);
    FUZZ_CHECK(again == withoutEmptyItems(list));
  }
  return 0;
}
