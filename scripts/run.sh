#!/usr/bin/env bash
# Sets up a machine, builds Sprocklet and starts the game: in a window when a display is present,
# otherwise a short headless run that leaves a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)"
if [[ -x "$build/engine/host/sprocklet" ]]; then
  if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    exec "$build/engine/host/sprocklet" "$@"
  fi
  shots=${TMPDIR:-/tmp}/sprocklet-run
  mkdir -p "$shots"
  "$build/engine/host/sprocklet" --headless --frames 120 --shot "100:$shots/frame100.png" "$@"
  echo "No display: ran the game headless for 120 frames; its screenshot is $shots/frame100.png"
else
  echo "The sprocklet program is not built yet; running the test suite instead."
  cd "$build" && ctest --output-on-failure -j"$(nproc)"
fi
