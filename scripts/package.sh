#!/usr/bin/env bash
# Builds the Debian package vistrel_VERSION_ARCH.deb with CPack from the build in build/
# (made by scripts/setup.sh when there is none yet) and prints its path.
#   scripts/package.sh [OUTFOLDER]      (default: build/package-out)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
out=$(realpath -m "${1:-$build/package-out}")

if [ ! -f "$build/build.ninja" ]; then
  scripts/setup.sh >&2
else
  cmake -S . -B "$build" >/dev/null
  cmake --build "$build" --parallel "$(nproc)" >&2
fi

# The screenshots the software centres show come from the real windows, rendered off
# screen by a test; rendering them again keeps them as the program looks today.
if [ -x "$build/tests/app/app_tests" ]; then
  QT_QPA_PLATFORM=offscreen "$build/tests/app/app_tests" --gtest_filter='RunScreenshots.*' >/dev/null
else
  echo "package.sh: the tests are not built (VISTREL_BUILD_TESTS=OFF): the package has no screenshots" >&2
fi

mkdir -p "$out"
rm -f "$out"/vistrel_*.deb
cpack --config "$build/CPackConfig.cmake" -B "$out" >&2
rm -rf "$out/_CPack_Packages"
ls "$out"/vistrel_*.deb
