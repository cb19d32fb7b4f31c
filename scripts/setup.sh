#!/usr/bin/env bash
# Installs what Vistrel needs on Debian (as root, only what is missing), then
# configures and builds everything into build/.
#
#   scripts/setup.sh          the program, its tools and the tests
#   scripts/setup.sh --all    also the benchmarks, and clang for the sanitizer and fuzz builds
set -euo pipefail
cd "$(dirname "$0")/.."

all=0
[ "${1:-}" = "--all" ] && all=1

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev qt6-l10n-tools qt6-translations-l10n
  qt6-multimedia-dev qt6-image-formats-plugins gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libgl-dev libegl-dev libvulkan-dev libxkbcommon-dev
  libgtest-dev libgmock-dev
  fonts-liberation fontconfig xvfb xauth
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  dpkg-dev file lintian appstream desktop-file-utils xdg-utils bash-completion man-db
)
[ "$all" = 1 ] && packages+=(libbenchmark-dev clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The benchmarks are measured, not tested: they are built only when asked for.
bench=OFF
[ "$all" = 1 ] && bench=ON
# Optimised without debug information: that halves the build of a fresh clone.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DVISTREL_BUILD_BENCH=$bench >/dev/null
cmake --build build --parallel "$(nproc)"
