#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing Quarnis.
# Sourced by tools/start, tools/test and tools/check-package; runs apt-get only when a package
# is missing. quarnis_install_missing takes further packages that one command alone needs.
set -euo pipefail

# What building and starting the program needs (tools/start).
QUARNIS_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev libqt6svg6 xvfb xauth
  qt6-translations-l10n  # Qt's own texts in Turkish (qtbase_tr)
  fonts-wine fonts-dejavu-core fonts-dejavu-extra
  fonts-open-sans fonts-quicksand fonts-liberation2
)
# What the tests, benchmarks and fuzz targets need besides (tools/test).
QUARNIS_TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format-14
  xdotool xclip x11-utils dpkg-dev appstream desktop-file-utils
  dbus at-spi2-core python3 python3-pyatspi
  librsvg2-bin poppler-utils
  weston qt6-wayland libweston-10-dev xkb-data
  libegl-mesa0 libgl1-mesa-dri  # Mesa's EGL and drivers, as every desktop has them
)

quarnis_install_missing() {
  local missing=()
  local p
  for p in "${QUARNIS_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

QUARNIS_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QUARNIS_JOBS="$(nproc 2>/dev/null || echo 2)"
