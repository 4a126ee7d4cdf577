#!/usr/bin/env bash
# Validates the SARIF logs of verbolt-analyze with Microsoft's SARIF
# Multitool, from npm, against the SARIF 2.1.0 schema and its rules. The
# unit tests check the properties the format requires; this checks the
# whole log as code-scanning services read it. When npm or the package
# cannot be had (no network), says SKIP and succeeds: the validator is a
# second opinion, not a build dependency.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir=${BUILD_DIR:-build}
work="$root/build-sarif"
package=@microsoft/sarif-multitool-linux@5.7.0
multitool="$work/node_modules/@microsoft/sarif-multitool-linux/Sarif.Multitool"
analyze="$root/$build_dir/cli/verbolt-analyze"

if [ ! -x "$analyze" ]; then
  echo "ci-sarif: build verbolt-analyze first (tools/build.sh)"
  exit 1
fi
if [ ! -e "$multitool" ]; then
  if ! command -v npm >/dev/null ||
    ! npm install --prefix "$work" --no-audit --no-fund --silent "$package" >/dev/null 2>&1; then
    echo "SKIP: no SARIF validator ($package could not be installed)"
    exit 0
  fi
fi
# npm may refuse to run the package's own install script, which does this.
chmod u+x "$multitool"

logs="$work/logs"
rm -rf "$logs"
mkdir -p "$logs/tree/notes"
cp samples/welcome.txt samples/chapter.docx samples/chapter.odt "$logs/tree/"
printf -- '---\ntitle: Notes\n---\n# Notes \xc3\xa9t\xc3\xa9\r\n\nThe notes, the notes \xf0\x9f\x98\x80 and\nthe notes again: `notes`, [notes](notes.md).\n' \
  >"$logs/tree/notes/notes.md"
"$analyze" --format sarif "$logs/tree" >"$logs/defaults.sarif"
"$analyze" --format sarif --config cli/testdata/all-features.txt "$logs/tree" \
  >"$logs/all-features.sarif"
"$analyze" --format sarif "$logs/tree/notes/missing.md" >"$logs/no-file.sarif" 2>/dev/null

failures=0
for log in "$logs"/*.sarif; do
  report="$log.validation"
  # The tool's exit status says whether it ran, not what it found.
  "$multitool" validate "$log" --output "$report.sarif" --log ForceOverwrite >"$report" 2>&1
  if grep -q ": error " "$report" || ! grep -q "Analysis completed successfully" "$report"; then
    echo "FAIL: $(basename "$log")"
    grep -E ": (error|warning) " "$report"
    failures=$((failures + 1))
  else
    echo "PASS: $(basename "$log") is valid SARIF 2.1.0 ($(grep -c ': warning ' "$report") warnings)"
  fi
done
exit $((failures > 0))
