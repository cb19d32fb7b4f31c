#!/usr/bin/env bash
# Copies lines in one running Vistrel and pastes them into a second one through the
# desktop's clipboard, on a virtual screen, keyboard only (Ctrl+A, Ctrl+C; Ctrl+V,
# Ctrl+S), then compares the saved show with what vistrel-cli expects.
#
#   scripts/check-clipboard.sh [DISPLAY]     (default :32; needs Xvfb and xdotool)
#
# Exit 0: the lines arrived; 1: they did not; 77: Xvfb or xdotool is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
display="${1:-:32}"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "check-clipboard: $tool is not installed, skipped"; exit 77; }
done
vistrel=build/app/vistrel
cli=build/cli/vistrel-cli

source scripts/lib/virtual-screen.sh
use_virtual_screen clipboard "$display"

# The source show has Windows-1252 umlauts and an empty description; the target one line.
printf '/h1 Quelle\r\n/p 001 021 /d 025 /t 0055 /s 000 /c \xdcbergang \x80\r\n/p 002 022 /d 030 /t 0000 /s 160 \r\n' >"$work/a.dpd"
printf '/h1 Ziel\r\n/p 001 001 /d 025 /t 0040 /s 000 /c Anfang\r\n' >"$work/b.dpd"

# Two programs of their own (each with its own settings, so neither hands its file to the other).
VISTREL_CONFIG_DIR="$work/a" "$vistrel" "$work/a.dpd" >"$work/a.log" 2>&1 &
pids+=($!)
sleep 3
xdotool key ctrl+a
sleep 0.3
xdotool key ctrl+c
sleep 0.5

# The first program stays up: it serves the clipboard to the second.
VISTREL_CONFIG_DIR="$work/b" "$vistrel" "$work/b.dpd" >"$work/b.log" 2>&1 &
pids+=($!)
sleep 3
xdotool key ctrl+v
sleep 1
xdotool key ctrl+s
sleep 1

expected="$work/expected.dpd"
printf '/h1 Ziel\r\n/p 001 001 /d 025 /t 0040 /s 000 /c Anfang\r\n' >"$work/start.dpd"
"$cli" copy "$work/a.dpd" >"$work/copied.txt"
"$cli" paste "$work/start.dpd" "$work/copied.txt" "$expected"
if cmp -s <("$cli" show "$work/b.dpd") <("$cli" show "$expected"); then
  echo "check-clipboard: the lines travelled from one Vistrel to the other"
  exit 0
fi
echo "check-clipboard: the pasted show differs:"
diff <("$cli" show "$work/b.dpd") <("$cli" show "$expected") || true
exit 1
