#!/usr/bin/env bash
# Installs every Debian package Sprocklet needs to build, run and test. Idempotent: it only
# calls apt-get when something is missing, and never prompts.
set -euo pipefail

packages=(
  # toolchain and test framework
  cmake g++ make pkg-config googletest libgtest-dev clang libclang-rt-14-dev
  # engine libraries
  zlib1g-dev libpng-dev libjpeg62-turbo-dev libvorbisidec-dev
  # GL and windowing: real EGL + GLES 1.1 from Mesa, SDL2 for the desktop window
  libegl-dev libgles-dev libegl-mesa0 libgl1-mesa-dri libsdl2-dev
  # tools: fonts and drawing for the sample pack, audio fixtures, zip, a virtual display for
  # window tests
  libfreetype-dev libcairo2-dev fonts-dejavu-core vorbis-tools sox zip xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
