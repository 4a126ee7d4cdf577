// The configuration reader over arbitrary file contents, then the writer
// and the reader once more, as start-up and exit use them. Whatever the
// file held, what is saved must come back exactly: every stored field,
// every key found, the same bytes when saved a second time.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "settings/analysis_settings.h"
#include "settings/configuration.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;

// Saving flushes to disk; a memory-backed directory keeps that cheap.
fs::path scratchDirectory() {
  fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string pattern = (base / "verbolt-config-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

const fs::path& configPath() {
  static const fs::path directory = scratchDirectory();
  static const fs::path path = directory / "config.txt";
  static const bool cleanedAtExit = [] {
    std::atexit([] { fs::remove_all(directory); });
    return true;
  }();
  (void)cleanedAtExit;
  return path;
}

void writeFile(const fs::path& path, const uint8_t* bytes, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
  FUZZ_CHECK(out.good());
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool sameStoredFields(const AnalysisSettings& a, const AnalysisSettings& b) {
  return a.m_skipActive == b.m_skipActive && a.m_skipNbLettersMin == b.m_skipNbLettersMin &&
         a.m_skipNbLettersMax == b.m_skipNbLettersMax && a.m_skipWords == b.m_skipWords &&
         a.m_sameActive == b.m_sameActive && a.m_sameNbLetters == b.m_sameNbLetters &&
         a.m_samePercent == b.m_samePercent && a.m_closeActive == b.m_closeActive &&
         a.m_closeDistance == b.m_closeDistance && a.m_distantActive == b.m_distantActive &&
         a.m_distantNb == b.m_distantNb && a.m_distantDistance == b.m_distantDistance &&
         a.m_wordsActive == b.m_wordsActive && a.m_wordsLetterMin == b.m_wordsLetterMin &&
         a.m_wordsLetterMax == b.m_wordsLetterMax && a.m_wordsList == b.m_wordsList &&
         a.m_wordsPartsList == b.m_wordsPartsList && a.m_phrasesActive == b.m_phrasesActive &&
         a.m_phrasesList == b.m_phrasesList;
}

// A loaded record is clamped, whatever the file said.
bool isClamped(const AnalysisSettings& s) {
  AnalysisSettings clamped = s;
  clamped.ClampToRanges();
  return sameStoredFields(s, clamped);
}

// The numbers of the file are read like atoi, saturated at the int limits:
// strtoll over the same bytes (up to a NUL, where both stop) says the same.
void checkNumberReading(const uint8_t* bytes, size_t size) {
  std::string value(reinterpret_cast<const char*>(bytes), std::min<size_t>(size, 64));
  errno = 0;
  long long expected = std::strtoll(value.c_str(), nullptr, 10);
  expected = std::clamp<long long>(expected, INT_MIN, INT_MAX);
  FUZZ_CHECK(parseCount(value) == expected);
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  checkNumberReading(bytes, size);

  const fs::path& path = configPath();
  writeFile(path, bytes, size);
  AnalysisSettings loaded;
  const bool complete = LoadConfiguration(loaded, path.string());
  // Only a file without a single line is left unread, and so unclamped.
  FUZZ_CHECK(size == 0 || isClamped(loaded));
  FUZZ_CHECK(loaded.m_hiddenList.empty());
  if (!complete) loaded.ResetToDefaults();  // as the window does at start-up

  SaveConfiguration(loaded, path.string());
  const std::string saved = readFile(path);
  FUZZ_CHECK(saved == configurationText(loaded));

  AnalysisSettings reloaded;
  FUZZ_CHECK(LoadConfiguration(reloaded, path.string()));
  FUZZ_CHECK(sameStoredFields(reloaded, loaded));

  SaveConfiguration(reloaded, path.string());
  FUZZ_CHECK(readFile(path) == saved);
  return 0;
}
