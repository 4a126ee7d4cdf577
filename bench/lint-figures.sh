#!/usr/bin/env bash
# Times verbolt-analyze as a linter over a documentation tree, row 13 of
# the performance table, without the rest of it:
#
#   bench/lint-figures.sh
#
# Installs hyperfine from Debian when it is missing, builds verbolt-analyze
# and generate-markdown-tree in Release in build-bench, writes the tree of
# 1,000 Markdown pages (10 MB of the seeded prose, seed 1) once, and prints
# the row: --format line over the tree against wc -w over the same pages.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
tree="$build/bench-texts/markdown-tree"

if ! command -v hyperfine >/dev/null; then
  bash "$root/tools/install-deps.sh" hyperfine
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target verbolt-analyze generate-markdown-tree >/dev/null
[ -d "$tree" ] || "$build/bench/generate-markdown-tree" 10 1000 "$tree" >/dev/null

python3 "$root/bench/measure_figures.py" --linter-only \
  --analyze "$build/cli/verbolt-analyze" --markdown-tree "$tree"
