# Shared by the scripts that drive Vistrel on a virtual screen (source it, then call
# use_virtual_screen NAME DISPLAY): a scratch folder in $work, the processes in $pids
# ended on exit together with the folder, and an Xvfb on DISPLAY unless one runs there.
use_virtual_screen() {
  local name="$1" display="$2"
  work="$(mktemp -d -t "vistrel-$name.XXXXXX")"
  pids=()
  trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$work"' EXIT
  if ! xdpyinfo -display "$display" >/dev/null 2>&1 && [ ! -e "/tmp/.X${display#:}-lock" ]; then
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
  fi
  export DISPLAY="$display"
}
