// Times the conversions between the editor's text and the engine's bytes:
// every Process, click and statistics command converts the whole text once.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "bench/best_time.h"
#include "highlight/editor_text.h"

namespace verbolt {

namespace {

constexpr size_t kMegabyte = 1 << 20;
constexpr int kRepetitions = 20;

// Prose-like bytes: mostly ASCII letters and spaces, with accented letters,
// typographic quotes and line ends, as a French or English text has them.
std::string sampleBytes(size_t size) {
  const std::string common = "eeeeaaaiiinnoorrssttuldcmp     ,.\n";
  const std::string rare = "\xE9\xE8\xE0\xE7\xF4\x92\x93\x94\x85\x96\xC9";
  std::mt19937 random(1);
  std::string bytes(size, ' ');
  for (char& c : bytes) {
    c = random() % 20 == 0 ? rare[random() % rare.size()] : common[random() % common.size()];
  }
  return bytes;
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

int main() {
  const std::string bytes = sampleBytes(kMegabyte);
  wxString text = fromCp1252(bytes);
  // A few characters outside the code page, as pasted texts have them.
  text += wxString(L"\U0001F600\u4E2D\u0301");

  size_t sink = 0;
  const double encode = bestMilliseconds(kRepetitions, [&] { sink += toCp1252(text).size(); });
  const double decode = bestMilliseconds(kRepetitions, [&] { sink += fromCp1252(bytes).length(); });
  if (toCp1252(fromCp1252(bytes)) != bytes) {
    std::fprintf(stderr, "round trip failed\n");
    return 1;
  }
  std::printf("1 MB, best of %d runs (%zu characters converted)\n", kRepetitions, sink);
  std::printf("  toCp1252   (wxString -> bytes): %7.2f ms\n", encode);
  std::printf("  fromCp1252 (bytes -> wxString): %7.2f ms\n", decode);
  return 0;
}
