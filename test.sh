#!/usr/bin/env bash
# Builds Talmorek and runs every test. Installs missing Debian packages first.
# Then cross-builds the core, its tests and the tool for Windows and runs them
# under Wine (build-windows/, scripts/windows_tests.sh;
# TALMOREK_SKIP_WINDOWS=1 leaves that out, and says so).
# Then builds the core, the tool and the fuzz targets again with clang,
# AddressSanitizer and UBSan (build-asan/) and runs their tests there: the
# core and tool tests, the replay of the fuzz corpus and a short run of each
# fuzz target. TALMOREK_SKIP_SANITIZE=1 skips that second build, and says so.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
TALMOREK_PHASE_LOG="$(mktemp)"
export TALMOREK_PHASE_LOG
trap 'talmorek_phase_summary; rm -f "$TALMOREK_PHASE_LOG"' EXIT
talmorek_phase_begin
talmorek_install_packages
talmorek_install_windows_packages
talmorek_phase_end "Debian packages"
talmorek_phase_begin
talmorek_configure
talmorek_build
talmorek_phase_end "Linux build"
# The printer-queue test prints through a CUPS queue; only root can set one up.
if [ "$(id -u)" -eq 0 ]; then
  "$TALMOREK_ROOT/scripts/cups_pdf_queue.sh" || echo "note: printer queue not set up; its test will be skipped"
else
  echo "note: not root, printer queue not set up; its test will be skipped"
fi
jobs="$(nproc 2>/dev/null || echo 2)"
talmorek_phase_begin
(cd "$TALMOREK_BUILD" && ctest --output-on-failure --timeout 300 -j "$jobs")
talmorek_phase_end "Linux tests"
"$TALMOREK_ROOT/scripts/windows_tests.sh" "$TALMOREK_BUILD/src/tool/talmorek-tool"

if [ "${TALMOREK_SKIP_SANITIZE:-0}" = 1 ]; then
  echo "note: TALMOREK_SKIP_SANITIZE=1: the sanitizer build, its tests and the fuzz targets were NOT run"
  exit 0
fi
talmorek_phase_begin
talmorek_configure_sanitized
talmorek_build_sanitized
talmorek_phase_end "sanitizer build"
# The builds stop at the first report already; these add the stack traces.
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
talmorek_phase_begin
(cd "$TALMOREK_SANITIZE_BUILD" && ctest --output-on-failure --timeout 300 -j "$jobs")
talmorek_phase_end "sanitizer tests and fuzz runs"
