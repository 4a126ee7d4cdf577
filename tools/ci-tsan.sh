#!/usr/bin/env bash
# Builds the toolkit-free libraries, their tests and verbolt-analyze with
# ThreadSanitizer into build-tsan/ (or $TSAN_BUILD_DIR), runs those tests,
# then runs verbolt-analyze --format line over a folder of several files in
# every --families mode: by beginning it checks the files on one thread per
# core, by dictionary form on one thread that owns the dictionary's cache.
# Any data race, or any other report of the sanitizer, fails the run. The
# window is left out: its tests need the toolkit built with the sanitizer
# to say anything, and the window runs its passes on one thread.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir=${TSAN_BUILD_DIR:-build-tsan}
tests=(strings_tests text_tests settings_tests manuscript_tests recovery_tests analysis_tests lemma_tests
  plan_tests export_tests cli_tests)

tools/install-deps.sh

# The sanitizer options apply to the build too: test discovery runs the
# test programs. A report ends the program with status 66. Only a lock
# inside glibc that the sanitizer cannot see is suppressed; see
# tools/tsan.supp.
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$root/tools/tsan.supp"

start=$(date +%s)
# Assertions stay on: the lemma cache checks there that one thread uses it.
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target "${tests[@]}" verbolt-analyze
built=$(date +%s)

# The test programs are run directly: ctest would also list the window's
# tests, which this build leaves out. Two programs at a time.
failed=0
logs="$root/$build_dir/tsan-logs"
rm -rf "$logs"
mkdir -p "$logs"
for test in "${tests[@]}"; do
  program=$(find "$build_dir" -type f -name "$test" -perm -u+x | head -n 1)
  echo "$program"
done | xargs -P "$(nproc)" -I{} sh -c '"$1" >"$2/$(basename "$1").log" 2>&1 || echo "$1" >>"$2/failed"' \
  sh {} "$logs"
if [ -s "$logs/failed" ]; then
  while IFS= read -r program; do
    echo "FAIL: $program"
    tail -n 60 "$logs/$(basename "$program").log"
  done <"$logs/failed"
  failed=1
fi
tested=$(date +%s)

# A folder of several files, so that the files are checked side by side.
tree="$root/$build_dir/tsan-tree"
rm -rf "$tree"
mkdir -p "$tree/notes"
cp samples/* "$tree/"
for n in 1 2 3; do
  cp samples/welcome.txt "$tree/notes/welcome-$n.txt"
  printf '# Notes %s\n\nThe notes, the notes and the notes again: notes.\n' "$n" \
    >"$tree/notes/notes-$n.md"
done
for families in beginning lemma-fr lemma-en; do
  status=0
  "$build_dir/cli/verbolt-analyze" --format line --families "$families" "$tree" \
    >"$logs/analyze-$families.txt" 2>"$logs/analyze-$families.err" || status=$?
  if [ "$status" -ne 0 ] || grep -q ThreadSanitizer "$logs/analyze-$families.err"; then
    echo "FAIL: verbolt-analyze --families $families (status $status)"
    tail -n 60 "$logs/analyze-$families.err"
    failed=1
  fi
done
done_at=$(date +%s)

[ "$failed" -eq 0 ] || exit 1
echo "ThreadSanitizer run passed: build $((built - start)) s, tests $((tested - built)) s," \
  "verbolt-analyze $((done_at - tested)) s."
