#!/usr/bin/env bash
# Builds Talmorek and runs every test. Installs missing Debian packages first.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
talmorek_install_packages
talmorek_configure
talmorek_build
cd "$TALMOREK_BUILD"
ctest --output-on-failure --timeout 300 -j "$(nproc 2>/dev/null || echo 2)"
