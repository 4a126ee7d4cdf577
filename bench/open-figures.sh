#!/usr/bin/env bash
# Opens 1 MB and 5 MB of generated prose with `verbolt FILE` under Xvfb,
# as a writer does, and prints how long until the window shows the file
# and until it takes the first key typed into the editor.
# Usage: bench/open-figures.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/generate-text" 1 "$work/novel-1mb.txt" >/dev/null
"$build/bench/generate-text" 5 "$work/novel-5mb.txt" >/dev/null

measure() {
  local file=$1 name start shown taken pid window
  name=$(basename "$file")
  start=$(date +%s%N)
  "$build/verbolt" "$file" 2>/dev/null &
  pid=$!
  until window=$(xdotool search --name "^$name - Verbolt 2$" 2>/dev/null | head -1) &&
    [ -n "$window" ]; do sleep 0.01; done
  shown=$(date +%s%N)
  # A real click into the editor and a real key, as the writer's.
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool mousemove --window "$window" 500 300 click 1 key q
  until xdotool search --name "^$name \* - Verbolt 2$" >/dev/null 2>&1; do sleep 0.01; done
  taken=$(date +%s%N)
  printf '%-16s window with the file after %5d ms, first key taken after %5d ms\n' "$name" \
    $(((shown - start) / 1000000)) $(((taken - start) / 1000000))
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

export -f measure
cd "$work"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
  build='$build'
  $(declare -f measure)
  measure '$work/novel-1mb.txt'
  measure '$work/novel-5mb.txt'"
