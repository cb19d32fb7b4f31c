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
  # Read whole, not piped into `grep -q`: under pipefail, grep leaving early could kill
  # dpkg-query with SIGPIPE and make an installed package look missing.
  status=$(dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null || true)
  [[ $status == *"install ok installed"* ]] || missing+=("$p")
done
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
# apt runs one installation at a time. While another one holds its lock (the system's own
# updates, say), wait for it with a message, at most 10 minutes, instead of failing with
# apt's own error.
apt_locks=(/var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock)
apt_busy() { command -v fuser >/dev/null 2>&1 && $SUDO fuser "${apt_locks[@]}" >/dev/null 2>&1; }
apt_get() {
  local log waited=0
  log=$(mktemp)
  while true; do
    if ! apt_busy && $SUDO env LC_ALL=C DEBIAN_FRONTEND=noninteractive apt-get "$@" 2>"$log"; then break; fi
    if [ -s "$log" ] && ! grep -q "Could not get lock\|Unable to lock\|Unable to acquire the dpkg frontend lock" "$log"; then
      cat "$log" >&2; rm -f "$log"; return 1
    fi
    if [ "$waited" -ge 600 ]; then
      echo "setup.sh: another package installation has held apt for 10 minutes; try again later" >&2
      rm -f "$log"; return 1
    fi
    [ "$waited" = 0 ] && echo "Another package installation is running; waiting for it to finish (at most 10 minutes) ..."
    : >"$log"
    sleep 5
    waited=$((waited + 5))
  done
  cat "$log" >&2
  rm -f "$log"
}
# apt is called only for what is missing: with everything installed, nothing asks for root.
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt_get update -qq
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The benchmarks are measured, not tested: they are built only when asked for.
bench=OFF
[ "$all" = 1 ] && bench=ON
# Optimised without debug information: that halves the build of a fresh clone.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DVISTREL_BUILD_BENCH=$bench >/dev/null
cmake --build build --parallel "$(nproc)"
