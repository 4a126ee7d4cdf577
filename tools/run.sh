#!/usr/bin/env bash
# Installs what is missing, builds, and analyses the sample text.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
build/tools/verbolt-analyze --summary samples/welcome.txt
