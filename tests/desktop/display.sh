# Sourced by the desktop tests: a display of their own (Xvfb) with the
# window manager of a station (Openbox), the bounded waits they use, and
# the clean-up of both. Skips the test (exit 77) where Xvfb, Openbox,
# xdotool or xprop is missing. Sets `work`, a temporary directory removed
# at the end; a process started in the background goes into `pids`, to be
# stopped at the end.

for needed in Xvfb openbox xdotool xprop; do
  if ! command -v "$needed" >/dev/null 2>&1; then
    echo "SKIP: $needed is not installed"
    exit 77
  fi
done

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Fails the test, naming the windows on the display and the active one.
fail() {
  echo "FAIL: $*"
  echo "windows:"
  xdotool search --onlyvisible --name '.' getwindowname %@ 2>/dev/null | sed 's/^/  /'
  echo "active: $(xdotool getactivewindow getwindowname 2>/dev/null || echo none)"
  exit 1
}

# Polls `command` every 0.1 s until it succeeds, at most `seconds`.
within() {
  local seconds="$1"
  shift
  local tries=$((seconds * 10))
  while ! "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -le 0 ] && return 1
    sleep 0.1
  done
}

active_named() { xdotool getactivewindow getwindowname 2>/dev/null | grep -q -- "$1"; }

# Xvfb and Openbox on a display of their own; DISPLAY names it.
start_display() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  within 10 test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  within 10 xprop -root _NET_SUPPORTING_WM_CHECK || fail "openbox did not start"
  sleep 0.5
}
