#!/usr/bin/env bash
# Sets everything up and runs every test: the suite of the normal build, the same suite
# again built with clang and AddressSanitizer + UndefinedBehaviorSanitizer (build-asan/),
# and each fuzz target for a short while (scripts/fuzz.sh runs them longer).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 600

# Memory errors, leaks and undefined behaviour stop the test that causes them.
started=$SECONDS
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVISTREL_SANITIZE=ON -DVISTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan --parallel "$(nproc)"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan --output-on-failure --timeout 900
echo "Sanitizer build and tests: $((SECONDS - started)) s"

started=$SECONDS
scripts/fuzz.sh "${VISTREL_FUZZ_SECONDS:-30}"
echo "Fuzzing: $((SECONDS - started)) s"
