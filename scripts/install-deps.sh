#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks and the fuzz targets need.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ make pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-tools-dev-tools libqt6opengl6-dev libgl-dev
  zlib1g-dev libcurl4-openssl-dev libcpp-httplib-dev libcli11-dev libbackward-cpp-dev libdw-dev libicu-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang clang-format libclang-rt-14-dev
  xvfb xauth fonts-dejavu-core unzip zip python3 time
  dpkg-dev desktop-file-utils appstream man-db
  dbus dbus-x11 at-spi2-core python3-pyatspi gir1.2-atspi-2.0 xdotool
  apertium apertium-eng-spa apertium-eng-cat apertium-en-gl apertium-eo-en
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 gcc-mingw-w64-i686 gcc-mingw-w64-x86-64
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi

echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq -o DPkg::Lock::Timeout=300
$SUDO apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=300 "${missing[@]}" >/dev/null
