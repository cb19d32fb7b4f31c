#!/usr/bin/env bash
# Edits a show in every way the program offers, on a virtual screen, keyboard and mouse
# as a user would: a line typed in, a line changed, lines removed, a line inserted with
# slide-number correction, timers entered, lines pasted and cut, the title, the slide
# numbers shifted and the show scaled. Then Ctrl+Z back to the start and Ctrl+S must give
# the original file byte for byte, Ctrl+Y forward the edited one, and closing the window
# at the saved state must ask nothing.
#
#   scripts/check-undo.sh [DISPLAY]     (default :33; needs Xvfb and xdotool)
#
# Exit 0: all held; 1: something did not; 77: a tool is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
display="${1:-:33}"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "check-undo: $tool is not installed, skipped"; exit 77; }
done
vistrel="$PWD/build/app/vistrel"

source scripts/lib/virtual-screen.sh
use_virtual_screen undo "$display"

printf '/h1 Urlaub\r\n/h2 Ostsee\r\n/h3 \r\n/h4 Schrank 2\r\n/a 7\r\n' >"$work/original.dpd"
printf '/p 001 010 /d 025 /t 0055 /s 000 /c Eins\r\n/p 002 020 /d 025 /t 0040 /s 000 /c Zwei\r\n' >>"$work/original.dpd"
printf '/p 003 030 /d 020 /t 0060 /s 033 /c Drei\r\n/p 004 040 /d 025 /t 0055 /s 000 /c Vier\r\n' >>"$work/original.dpd"
printf '/p 005 050 /d 010 /t 0030 /s 000 /c F\xfcnf\r\n' >>"$work/original.dpd"
cp "$work/original.dpd" "$work/show.dpd"

VISTREL_CONFIG_DIR="$work/config" "$vistrel" "$work/show.dpd" >"$work/vistrel.log" 2>&1 &
pids+=($!)
sleep 3

# The rows of the program list in the show window as it first opens.
row() { echo $((322 + $1 * 14)); }
click() { xdotool mousemove 110 "$(row "$1")" click "${2:-1}"; sleep 0.4; }
keys() { xdotool key "$@"; sleep 0.4; }
typed() { xdotool type --delay 40 "$1"; sleep 0.2; }

typed 77; keys Return                                   # a new line at the end
click 1; typed 42; keys Return                          # line 2 changed
click 3; keys ctrl+Delete                               # "Entfernen"
click 0 3; keys Down Down Right; keys Down Return       # inserted with correction
click 3 3; keys Down Down Down Down Right; keys Down Return; typed 12,5; keys Return  # timers
click 2; keys ctrl+a; keys ctrl+c; click 0; keys ctrl+v  # copied and pasted
click 5; keys ctrl+x                                    # cut
keys alt+t; keys End; typed " 2002"; keys Return         # the title
click 2 3; keys Up Return; typed +5; keys Return         # slide numbers shifted
keys alt+h; keys Up Up Return; keys alt+n; keys Tab; keys ctrl+a; typed 03; keys Return  # scaled
keys ctrl+s
cp "$work/show.dpd" "$work/edited.dpd"

status=0
if cmp -s "$work/original.dpd" "$work/edited.dpd"; then echo "check-undo: the edits changed nothing"; status=1; fi
for _ in $(seq 12); do keys ctrl+z; done
keys ctrl+s
if cmp -s "$work/original.dpd" "$work/show.dpd"; then
  echo "check-undo: undone to the start, the saved file is the original byte for byte"
else
  echo "check-undo: undone to the start, the saved file differs from the original"; status=1
fi
for _ in $(seq 12); do keys ctrl+y; done
keys ctrl+s
if cmp -s "$work/edited.dpd" "$work/show.dpd"; then
  echo "check-undo: redone to the end, the saved file is the edited one"
else
  echo "check-undo: redone to the end, the saved file differs from the edited one"; status=1
fi

# Away from the saved state and back: closing asks nothing.
keys ctrl+z; keys ctrl+shift+z
xdotool mousemove 685 66 click 1
sleep 1
if xdotool search --name 'show\.dpd' >/dev/null 2>&1; then
  echo "check-undo: the window did not close at once (a question?)"; status=1
else
  echo "check-undo: closed at the saved state without a question"
fi
exit "$status"
