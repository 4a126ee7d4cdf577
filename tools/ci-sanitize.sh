#!/usr/bin/env bash
# Builds everything once more with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ (or $ASAN_BUILD_DIR) and runs
# the whole test suite there, the window tests under Xvfb included. Any
# memory error, leak or undefined behaviour fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir=${ASAN_BUILD_DIR:-build-asan}

tools/install-deps.sh

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

# The sanitizer options apply to the build too: test discovery runs the
# test programs.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks are suppressed only where the toolkit's own libraries allocate and
# keep memory for the life of the process; see tools/lsan.supp.
export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp:print_suppressions=0

start=$(date +%s)
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
built=$(date +%s)
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
done_at=$(date +%s)
echo "Sanitizer run passed: build $((built - start)) s, tests $((done_at - built)) s."
