#!/usr/bin/env bash
# The keys come back to the main window every time the entry window closes,
# under a real X server and window manager (Xvfb and Openbox), as on a
# station: F2 opens the entry window, Alt+F4 and "A" close it (half of the
# rounds after a report answered with Alt+P ("Potvrdit")), and the next F2, sent to
# whichever window the window manager made active, must open it again.
# Twenty rounds; every wait is bounded. Skipped (77) where Xvfb, Openbox or
# xdotool are missing.
#
# Usage: focus_return.sh <talmorek program> <talmorek-tool>
set -uo pipefail

program="$1"
tool="$2"
rounds="${TALMOREK_FOCUS_ROUNDS:-20}"

source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
none_named() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

start_display

# A demo station with the program beside its files.
"$tool" init-demo "$work/station" >/dev/null || fail "init-demo failed"
cp "$program" "$work/station/talmorek"
mkdir -m 700 "$work/runtime"
(cd "$work/station" && XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb exec ./talmorek >"$work/program.log" 2>&1) &
pids+=($!)

main_title='Volby do Poslanecké sněmovny'
within 20 xdotool search --onlyvisible --name "$main_title" || fail "the main window did not appear"
main="$(xdotool search --onlyvisible --name "$main_title" | head -1)"
# The reminder of the date and time comes up first; Enter confirms it.
within 10 active_named '^Informace$' || fail "the date and time reminder did not come up"
xdotool key Return
within 10 active_is "$main" || fail "the main window is not active after the reminder"

for round in $(seq 1 "$rounds"); do
  xdotool key F2
  within 10 active_named '^Vstup dat za okrsek - ' || fail "round $round: F2 opened no entry window"
  if [ $((round % 2)) -eq 0 ]; then
    # Page II, persons 0, on: the report of error 4, answered "Potvrdit".
    xdotool key Next
    sleep 0.2
    xdotool type 0
    xdotool key Tab
    within 10 active_named '^Pořízení dat$' || fail "round $round: no report of persons 0"
    xdotool key alt+p
    within 10 active_named '^Vstup dat za okrsek - ' || fail "round $round: the report did not hand back"
  fi
  xdotool key alt+F4
  within 10 active_named '^Vstup dat za okrsek$' || fail "round $round: Alt+F4 asked no question"
  xdotool key a
  within 10 none_named '^Vstup dat za okrsek' || fail "round $round: the entry window did not close"
  within 10 active_is "$main" || fail "round $round: no active main window after the entry window closed"
done
echo "PASS: $rounds rounds, the main window active after every close"
