#!/usr/bin/env bash
# Sets everything up and runs Vistrel with the virtual projector on COM2, so that a
# show can be written into a projector (and read back) at once, without hardware.
#
#   scripts/run.sh [show.dpd]
#
# Without a show it opens the demo show that the build writes (build/demo-show/Willkommen.dpd,
# its pictures beside it), so that there is something to rehearse at once.
#
# The virtual projector runs in the background while Vistrel runs and is stopped when
# Vistrel ends. Options for it can be given in VISTREL_PROJECTOR_OPTIONS, for example
#   VISTREL_PROJECTOR_OPTIONS="--module absent --speed 4" scripts/run.sh
# To use a real projector, see the README ("Using a real projector").
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

# Vistrel is a window program. Without a display (a server or a container), it runs
# on a virtual screen of its own, which can be looked at with a screenshot.
xvfb_pid=""
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  for n in $(seq 99 120); do
    [ -e "/tmp/.X${n}-lock" ] || { display=":$n"; break; }
  done
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  sleep 1
  echo "No display found: Vistrel runs on the virtual screen $DISPLAY."
  echo "  Look at it with ImageMagick: import -display $DISPLAY -window root vistrel.png"
fi

projector_output="$(mktemp -t vistrel-projector.XXXXXX)"
# shellcheck disable=SC2086  # the options are meant to be split into words
build/sim/vistrel-projector --com 2 ${VISTREL_PROJECTOR_OPTIONS:-} >"$projector_output" 2>&1 &
projector_pid=$!
stop_projector() {
  kill "$projector_pid" 2>/dev/null || true
  wait "$projector_pid" 2>/dev/null || true
  rm -f "$projector_output"
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap stop_projector EXIT

# The first line the projector prints is its device path; wait for it (at most 10 s).
device=""
for _ in $(seq 100); do
  if ! kill -0 "$projector_pid" 2>/dev/null; then break; fi
  device="$(head -n 1 "$projector_output" 2>/dev/null || true)"
  if [ -n "$device" ] && [ -e "$device" ]; then break; fi
  device=""
  sleep 0.1
done
if [ -z "$device" ]; then
  echo "run.sh: the virtual projector did not start:" >&2
  cat "$projector_output" >&2
  exit 1
fi

echo "Virtual projector on COM2: $device"
export VISTREL_COM2="$device"
status=0
if [ "$#" -eq 0 ] && [ -f build/demo-show/Willkommen.dpd ]; then
  set -- build/demo-show/Willkommen.dpd
fi
build/app/vistrel "$@" || status=$?
exit "$status"
