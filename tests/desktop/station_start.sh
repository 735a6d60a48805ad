#!/usr/bin/env bash
# A station laid out by `talmorek-tool install-station` starts the way its
# launcher says, from a desktop whose working directory is anywhere: the
# program, reached through the station's link, takes the station as its
# installation (single- and multi-station), and the program started
# outside any station refuses with its start-up message. Under Xvfb and
# Openbox; every wait is bounded. Skipped (77) where those are missing.
#
# Usage: station_start.sh <talmorek program> <talmorek-tool>
set -uo pipefail

program="$1"
tool="$2"

source "$(dirname "${BASH_SOURCE[0]}")/display.sh"
start_display
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb

# The installed program, as the package puts it: alone in its directory.
mkdir -p "$work/usr/lib/talmorek"
cp "$program" "$work/usr/lib/talmorek/talmorek"

# Starts what `launcher`'s Exec line says, from /, and checks that the
# station's entry window journals typing into `journal`.
start_station() {
  local launcher="$1" journal="$2" exec
  exec="$(sed -n 's/^Exec=//p' "$launcher")"
  [ -n "$exec" ] || fail "no Exec in $launcher"
  eval "set -- $exec"
  (cd / && exec "$@" >"$work/program.log" 2>&1) &
  local pid=$!
  pids+=($pid)
  within 20 active_named '^Informace$' || fail "$launcher: the date and time reminder did not come up"
  xdotool key Return
  within 10 active_named 'Volby do Poslanecké sněmovny' || fail "$launcher: no main window"
  xdotool key F2
  within 10 active_named '^Vstup dat za okrsek' || fail "$launcher: F2 did not open the entry window"
  xdotool type 7
  xdotool key Tab
  within 10 test -s "$journal" || fail "$launcher: nothing typed reached $journal"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}

"$tool" demo-office "$work/sada" >/dev/null || fail "demo-office"
"$tool" install-station "$work/sada" "$work/stanice" --program "$work/usr/lib/talmorek/talmorek" --no-menu \
  >/dev/null || fail "install-station"
start_station "$work/stanice/talmorek.desktop" "$work/stanice/data/ZURNAL.00001"

"$tool" demo-office "$work/sada-multi" --multi >/dev/null || fail "demo-office --multi"
"$tool" install-station "$work/sada-multi" "$work/multi" --multi --program "$work/usr/lib/talmorek/talmorek" \
  --no-menu >/dev/null || fail "install-station --multi"
start_station "$work/multi/talmorek-OK7.desktop" "$work/multi/data/OK7/ZURNAL.00007"

# The installed program itself is no station.
(cd / && exec "$work/usr/lib/talmorek/talmorek" >"$work/program.log" 2>&1) &
pids+=($!)
within 20 active_named '^Spuštění aplikace$' || fail "the program outside a station did not refuse"
echo "ok: stations start from their launchers"
