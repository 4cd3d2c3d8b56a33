#!/usr/bin/env bash
# Sets up a machine, builds Sprocklet and starts it: in a window when a display is present,
# otherwise a short headless demo.
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
  shots=${TMPDIR:-/tmp}/sprocklet-demo
  mkdir -p "$shots"
  "$build/engine/host/sprocklet" --headless --frames 120 --journal "$root/engine/host/demo_journal.txt" \
    --shot "60:$shots/frame60.png" "$@"
  echo "No display: ran a headless demo; its screenshot is $shots/frame60.png"
else
  echo "The sprocklet program is not built yet; running the test suite instead."
  cd "$build" && ctest --output-on-failure -j"$(nproc)"
fi
