#!/usr/bin/env bash
# Builds Talmorek, lays out a demo installation in build/demo/ and starts the
# program there. Installs missing Debian packages first.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
talmorek_install_packages
talmorek_configure
talmorek_build
demo="$TALMOREK_BUILD/demo"
if [ ! -f "$demo/STANICE.RCD" ]; then
  "$TALMOREK_BUILD/src/tool/talmorek-tool" init-demo "$demo"
fi
if [ -x "$TALMOREK_BUILD/src/app/talmorek" ]; then
  cp "$TALMOREK_BUILD/src/app/talmorek" "$demo/talmorek"
  exec "$demo/talmorek" "$@"
fi
# The window program is not built yet: show what the demo installation holds.
"$TALMOREK_BUILD/src/tool/talmorek-tool" summary "$demo"
