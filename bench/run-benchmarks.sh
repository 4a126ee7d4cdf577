#!/usr/bin/env bash
# Times verbolt-analyze against the tools a writer could use instead and
# prints one table: figure, ours, baseline, ratio, goal, met or not.
#
#   bench/run-benchmarks.sh [--engine-bench]
#
# Installs hyperfine, diction and GNU time from Debian when they are missing
# (apt-get as root, sudo otherwise), builds a Release tree in build-bench,
# writes the seeded texts there, prepares the real prose
# (bench/prepare-real-texts.sh: the King James Bible from bible-kjv-text;
# bench/french-text.sh: the French Debian Reference from debian-reference-fr)
# and measures. About ten minutes on two cores, a build from scratch
# included. --engine-bench also runs analysis-bench (Google Benchmark, the
# pass alone) at the end.
#
# Row 13 times verbolt-analyze --format line over a tree of 1,000 Markdown
# pages (10 MB) against wc -w over the same pages.
#
# The window rows come from gui-bench, run here on a virtual display
# (xvfb-run) twice: on generated prose (rows 8-12, 14, 15) into
# build-bench/gui-figures.txt, and on the real English text (rows W1-W5)
# into build-bench/real-gui-figures.txt; without a working Xvfb they read
# "not measured". Rows E1-E5 time the engine on real prose and on a text
# of large families, in the C locale.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
texts="$build/bench-texts"
engine_bench=no
[ "${1:-}" = "--engine-bench" ] && engine_bench=yes

install_tools() {
  local missing=()
  command -v hyperfine >/dev/null || missing+=(hyperfine)
  command -v diction >/dev/null || missing+=(diction)
  [ -x /usr/bin/time ] || missing+=(time)
  command -v python3 >/dev/null || missing+=(python3)
  [ ${#missing[@]} -eq 0 ] && return
  bash "$root/tools/install-deps.sh" "${missing[@]}"
}

build_tools() {
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  local targets=(verbolt-analyze generate-text generate-markdown-tree write-settings gui-bench)
  [ "$engine_bench" = yes ] && targets+=(analysis-bench)
  cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null
}

# The same seed and size give the same bytes on every run and platform.
generate_texts() {
  mkdir -p "$texts"
  local generate="$build/bench/generate-text"
  for mb in 1 4 10 16; do
    [ -s "$texts/prose-$mb.txt" ] || "$generate" "$mb" "$texts/prose-$mb.txt" >/dev/null
  done
  [ -s "$texts/hostile-10.txt" ] || "$generate" --hostile 10 "$texts/hostile-10.txt" >/dev/null
  [ -s "$texts/hostile-beginning-10.txt" ] ||
    "$generate" --hostile-beginning 10 "$texts/hostile-beginning-10.txt" >/dev/null
  [ -s "$texts/large-families-10.txt" ] ||
    "$generate" --large-families 10 "$texts/large-families-10.txt" >/dev/null
  "$build/bench/write-settings" all-features "$texts/all-features.txt"
  [ -d "$texts/markdown-tree" ] ||
    "$build/bench/generate-markdown-tree" 10 1000 "$texts/markdown-tree" >/dev/null
  "$root/bench/prepare-real-texts.sh" "$texts"
  [ -s "$texts/french-10.txt" ] || "$root/bench/french-text.sh" "$texts/french-10.txt" 10
}

install_tools
echo "Building Release in $build..."
build_tools
generate_texts

echo "Timing the window under Xvfb..."
rm -f "$build/gui-figures.txt"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/gui-bench" "$build/gui-figures.txt" \
  2>/dev/null || echo "gui-bench failed: window rows not measured"
echo "Timing the window on real prose under Xvfb..."
rm -f "$build/real-gui-figures.txt"
VERBOLT_BENCH_TEXT="$texts/english.txt" xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/bench/gui-bench" "$build/real-gui-figures.txt" 2>/dev/null ||
  echo "gui-bench failed: real-prose window rows not measured"

python3 "$root/bench/measure_figures.py" \
  --analyze "$build/cli/verbolt-analyze" \
  --texts "$texts" \
  --gui-figures "$build/gui-figures.txt" \
  --real-gui-figures "$build/real-gui-figures.txt" \
  --markdown-tree "$texts/markdown-tree"

if [ "$engine_bench" = yes ]; then
  "$build/bench/analysis-bench"
fi
