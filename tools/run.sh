#!/usr/bin/env bash
# Installs what is missing, builds, and opens Verbolt 2. The program keeps
# its config.txt in the directory this script was started from.
set -euo pipefail
caller=$PWD
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
program=$PWD/build/verbolt
cd "$caller"
exec "$program"
