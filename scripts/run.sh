#!/usr/bin/env bash
# Sets up a machine, builds Sprocklet and starts the game: in a window when a display is present,
# otherwise a short headless demo that leaves a screenshot.
#
# Arguments go to the program (after the demo's own, so they win). SPROCKLET_BUILD_DIR picks the
# build tree (default build/); SPROCKLET_SKIP_SETUP=1 skips installing and building, for a tree
# that is built already (the test of this script runs it so).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SPROCKLET_BUILD_DIR:-$root/build}
if [[ "${SPROCKLET_SKIP_SETUP:-0}" != 1 ]]; then
  "$root/scripts/install-deps.sh"
  cmake -S "$root" -B "$build" >/dev/null
  cmake --build "$build" -j"$(nproc)"
fi
program=$build/engine/host/sprocklet
if [[ ! -x "$program" ]]; then
  echo "The sprocklet program is not built yet; running the test suite instead."
  cd "$build" && exec ctest --output-on-failure -j"$(nproc)"
fi
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec "$program" "$@"
fi

# No display: the first level of the first world from the sample pack, with the device tilted
# right so the hero runs, and a screenshot once the camera has settled on it.
shots=${TMPDIR:-/tmp}/sprocklet-run
mkdir -p "$shots"
printf '# lean right from the first frame\n0 tilt -0.2 0 0\n' >"$shots/tilt.txt"
"$program" --headless --display 480x320 --frames 120 --level 1 --character 0 \
  --journal "$shots/tilt.txt" --shot "100:$shots/frame100.png" "$@"
echo "No display: ran the game headless for 120 frames; its screenshot is $shots/frame100.png"
