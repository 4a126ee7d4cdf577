#!/usr/bin/env bash
# Opens 1 MB and 5 MB of prose with `verbolt FILE` under Xvfb, as a writer
# does, and prints how long until the window shows the file and until it
# takes the first key typed into the editor. The prose is generated, or
# cut from TEXT (repeated when it is shorter).
# Usage: bench/open-figures.sh [BUILD_DIR [TEXT]]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
text=${2:-}
if [ ! -x "$build/verbolt" ]; then
  echo "open-figures: $build/verbolt is not built" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for mb in 1 5; do
  if [ -n "$text" ]; then
    (
      set +o pipefail  # head stops reading before the copies end
      for _ in $(seq $((mb * 1048576 / $(stat -c %s "$text") + 1))); do cat "$text"; done |
        head -c $((mb * 1048576)) >"$work/novel-${mb}mb.txt"
    )
  else
    "$build/bench/generate-text" "$mb" "$work/novel-${mb}mb.txt" >/dev/null
  fi
done

measure() {
  local file=$1 name start shown taken pid window
  name=$(basename "$file")
  start=$(date +%s%N)
  "$build/verbolt" "$file" 2>/dev/null &
  pid=$!
  until window=$(xdotool search --name "^$name - Verbolt 2$" 2>/dev/null | head -1) &&
    [ -n "$window" ]; do
    sleep 0.01
    kill -0 "$pid" 2>/dev/null || { echo "$name: the program ended before its window showed"; return; }
  done
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
