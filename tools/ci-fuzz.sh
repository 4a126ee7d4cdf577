#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ (or
# $FUZZ_BUILD_DIR) and runs each for a bounded time, 150 s in all
# ($FUZZ_SECONDS gives every target that many seconds instead), starting
# from the seed inputs in fuzz/corpus/. Any crash, leak, sanitizer report,
# failed property, timeout or memory blow-up fails the run; the inputs that
# caused it are kept under the build directory. Prints the executions of
# each target.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
targets=(analysis_fuzz config_fuzz document_save_fuzz hostile_documents_fuzz lists_fuzz
  lsp_fuzz manuscript_fuzz)

tools/install-deps.sh

cmake -S . -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVERBOLT_FUZZ=ON >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target "${targets[@]}"

# Longest input each target is given: a text of a few pages, a
# configuration file with long lines, a list field, a small document.
# The hostile documents' program is short, but what it builds may reach
# 24 MB: a larger input for it means longer programs, not larger files.
# The language server's input is a session of a few messages.
declare -A max_len=([analysis_fuzz]=16384 [config_fuzz]=65536 [document_save_fuzz]=4096
  [hostile_documents_fuzz]=256 [lists_fuzz]=4096 [lsp_fuzz]=16384 [manuscript_fuzz]=65536)
# A whole analysis run costs far more than reading a file or a list, so the
# analysis gets the larger share of the time.
declare -A seconds=([analysis_fuzz]=30 [config_fuzz]=15 [document_save_fuzz]=20
  [hostile_documents_fuzz]=30 [lists_fuzz]=15 [lsp_fuzz]=20 [manuscript_fuzz]=20)
if [ -n "${FUZZ_SECONDS:-}" ]; then
  for target in "${targets[@]}"; do seconds[$target]=$FUZZ_SECONDS; done
fi

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

summary=()
total=0
status=0
for target in "${targets[@]}"; do
  work="$root/$build_dir/fuzz-runs/$target"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  log="$work/log.txt"
  # New inputs go to the scratch corpus; the seeds in the repository are
  # only read.
  if "$root/$build_dir/fuzz/$target" "$work/corpus" "$root/fuzz/corpus/$target" \
    -max_total_time="${seconds[$target]}" -max_len="${max_len[$target]}" \
    -rss_limit_mb=2048 -malloc_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" >"$log" 2>&1; then
    outcome="no fault"
  else
    outcome="FAILED (see $log and $work/artifacts/)"
    status=1
    tail -n 60 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  added=$(sed -n 's/^stat::new_units_added: *//p' "$log" | tail -n 1)
  runs=${runs:-0}
  total=$((total + runs))
  summary+=("$(printf '%-14s %10s executions in %ss, %s new inputs kept, %s' \
    "$target" "$runs" "${seconds[$target]}" "${added:-0}" "$outcome")")
done

echo "Fuzzing summary:"
printf '  %s\n' "${summary[@]}"
echo "  total          $total executions"
exit "$status"
