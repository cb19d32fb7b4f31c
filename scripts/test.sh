#!/usr/bin/env bash
# Sets everything up and runs every test of the program.
#
#   scripts/test.sh          set-up, build and the whole suite (a few minutes), then the
#                            Debian package: built, installed, checked and removed again
#   scripts/test.sh --all    the same, then the suite again built with clang and
#                            AddressSanitizer + UndefinedBehaviorSanitizer (build-asan/), and
#                            each fuzz target for a short while (scripts/fuzz.sh runs them
#                            longer); the benchmarks are built too. CI runs this.
set -euo pipefail
cd "$(dirname "$0")/.."
all=0
case "${1:-}" in
  "") ;;
  --all) all=1 ;;
  *) echo "usage: scripts/test.sh [--all]" >&2; exit 2 ;;
esac

started=$SECONDS
if [ "$all" = 1 ]; then scripts/setup.sh --all; else scripts/setup.sh; fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 600 --parallel "$(nproc)"
echo "Set-up, build and tests: $((SECONDS - started)) s"
scripts/check-package.sh
[ "$all" = 1 ] || exit 0

# Memory errors, leaks and undefined behaviour stop the test that causes them.
started=$SECONDS
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVISTREL_SANITIZE=ON -DVISTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan --parallel "$(nproc)"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan --output-on-failure --timeout 900 --parallel "$(nproc)"
echo "Sanitizer build and tests: $((SECONDS - started)) s"

started=$SECONDS
scripts/fuzz.sh "${VISTREL_FUZZ_SECONDS:-30}"
echo "Fuzzing: $((SECONDS - started)) s"
