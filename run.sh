#!/usr/bin/env bash
# Builds Talmorek, lays out a demo installation in build/demo/, installs the
# program into it (the executable beside the installation's files, as the
# program expects) and starts it there.
#
# Without a display (neither DISPLAY nor WAYLAND_DISPLAY) it goes through the
# same work headless: saves the demo record of the vote as the precinct data
# file, checks it and renders the protocol of checks and the record to PDF.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
talmorek_install_packages
talmorek_configure
# Only what is run here; ./test.sh builds the tests.
talmorek_build --target talmorek talmorek-tool

tool="$TALMOREK_BUILD/src/tool/talmorek-tool"
program="$TALMOREK_BUILD/src/gui/talmorek"
demo="$TALMOREK_BUILD/demo"
if [ ! -f "$demo/STANICE.RCD" ]; then
  "$tool" init-demo "$demo"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  if [ ! -x "$program" ]; then
    echo "Program talmorek nebyl sestaven ($program)." >&2
    exit 1
  fi
  cp "$program" "$demo/talmorek"
  cd "$demo"
  exec ./talmorek "$@"
fi

echo "Není k dispozici grafický displej (DISPLAY ani WAYLAND_DISPLAY nejsou nastaveny)."
echo "Program se nespustí; ukázková data se zpracují bez oken v $demo."
echo

record="$TALMOREK_ROOT/src/tool/demo_record.json"
"$tool" datafile write "$demo" --record "$record" --letter E --recompute
echo

echo "Kontroly uložených dat:"
check_status=0
"$tool" check "$demo" || check_status=$?
if [ "$check_status" -eq 1 ]; then
  echo "(kontroly našly chyby)"
elif [ "$check_status" -ne 0 ]; then
  echo "Kontroly se nepodařilo provést." >&2
  exit "$check_status"
fi
echo

protocol_pdf="$demo/protokol.pdf"
"$tool" print protocol "$demo" --pdf "$protocol_pdf"
echo "Protokol o kontrolách: $protocol_pdf"

record_pdf="$demo/zapis.pdf"
"$tool" print record "$demo" --pdf "$record_pdf"
echo "Zápis o průběhu a výsledku hlasování: $record_pdf"
