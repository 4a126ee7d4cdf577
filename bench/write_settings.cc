// write-settings defaults|all-features OUTFILE
//
// Writes the benchmark settings as a config.txt, so that verbolt-analyze
// --config runs the command-line pass with exactly what analysis-bench times.
#include <cstdio>
#include <string_view>

#include "bench/bench_settings.h"
#include "settings/configuration.h"

using namespace verbolt;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write-settings defaults|all-features OUTFILE\n");
    return 2;
  }
  std::string_view which = argv[1];
  if (which != "defaults" && which != "all-features") {
    std::fprintf(stderr, "write-settings: unknown settings '%s'\n", argv[1]);
    return 2;
  }
  AnalysisSettings settings =
      which == "defaults" ? defaultBenchSettings() : allFeaturesBenchSettings();
  std::string text = configurationText(settings);
  std::FILE* out = std::fopen(argv[2], "wb");
  bool written = out && std::fwrite(text.data(), 1, text.size(), out) == text.size();
  if (out && std::fclose(out) != 0) written = false;
  if (!written) {
    std::fprintf(stderr, "write-settings: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
