#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs each for SECONDS seconds (default 60), starting from the seed
# corpus in tests/fuzz/corpus/<target>. What a run finds is kept in build-fuzz/corpus;
# a crash leaves its input in build-fuzz/crash-<target>-*.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(show settings replies clipboard)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DVISTREL_SANITIZE=ON -DVISTREL_FUZZ=ON -DVISTREL_BUILD_GUI=OFF -DVISTREL_BUILD_TESTS=OFF \
  -DVISTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target fuzz_show_file fuzz_settings fuzz_projector_replies fuzz_clipboard_text

status=0
for name in "${targets[@]}"; do
  case "$name" in
    show) binary=fuzz_show_file; max_len=16384 ;;
    settings) binary=fuzz_settings; max_len=16384 ;;
    replies) binary=fuzz_projector_replies; max_len=16384 ;;
    # Room for a full show's 999 records and a few more.
    clipboard) binary=fuzz_clipboard_text; max_len=65536 ;;
    *) echo "fuzz.sh: unknown target $name" >&2; exit 2 ;;
  esac
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  log="build-fuzz/$name.log"
  if ! "build-fuzz/tests/fuzz/$binary" "$corpus" "tests/fuzz/corpus/$name" -max_total_time="$seconds" \
      -max_len="$max_len" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/crash-$name-" >"$log" 2>&1; then
    echo "fuzz $name: FAILED (see $log)"
    tail -40 "$log"
    status=1
  fi
  runs="$(grep -o 'Done [0-9]* runs' "$log" | grep -o '[0-9]*' || echo '?')"
  echo "fuzz $name: $runs runs in $seconds s"
done
exit "$status"
