#!/usr/bin/env bash
# Sets up a machine (Debian packages), builds Sprocklet with its tests and runs them.
# Usage: scripts/test.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
# The log's tail is often all a CI page keeps, so a failure's own output is printed again at the end.
log=$PWD/ctest-output.log
if ! ctest --output-on-failure -j"$(nproc)" --timeout 600 2>&1 | tee "$log"; then
  echo "=== the output of each failed test, again ==="
  awk '/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: /{keep = ($0 !~ / Passed +[0-9.]+ sec$/ && $0 !~ /Not Run|Skipped/); n = 0}
       /^ +Start +[0-9]+: /{keep = 0}
       keep && n++ < 150' "$log"
  exit 1
fi
