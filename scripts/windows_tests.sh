#!/usr/bin/env bash
# The Windows side of the test command: builds the core, its tests and
# talmorek-tool.exe with MinGW-w64 (build-windows/), runs every test
# executable under Wine in a throw-away prefix without a display, and
# compares a data file written by talmorek-tool.exe with the Linux tool's.
#
#   scripts/windows_tests.sh [LINUX_TOOL]     (LINUX_TOOL: build/src/tool/talmorek-tool)
#
# Exit 0 when everything passed, or when this machine cannot build or run
# Windows programs (said plainly: the MinGW compiler or Wine missing, Wine
# not starting); 1 when a test failed or the build broke.
# TALMOREK_SKIP_WINDOWS=1 leaves it all out, and says so.
# TALMOREK_WINDOWS_BUILD puts the build elsewhere than build-windows/.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TALMOREK_WINDOWS_BUILD:-$root/build-windows}"
linux_tool="${1:-$root/build/src/tool/talmorek-tool}"
test_timeout="${TALMOREK_WINDOWS_TEST_TIMEOUT:-600}"
jobs="$(nproc 2>/dev/null || echo 2)"

note() { echo "note: $*"; }
# Says how long a phase took; the test command lists it again at its end.
phase_took() {
  echo "$1: $2 s"
  if [ -n "${TALMOREK_PHASE_LOG:-}" ]; then printf '%-34s %5d s\n' "$1" "$2" >>"$TALMOREK_PHASE_LOG"; fi
}

if [ "${TALMOREK_SKIP_WINDOWS:-0}" = 1 ]; then
  note "TALMOREK_SKIP_WINDOWS=1: the Windows build and its tests under Wine were NOT run"
  exit 0
fi
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then
  note "no MinGW-w64 compiler (x86_64-w64-mingw32-g++-posix, package g++-mingw-w64-x86-64-posix):" \
       "the Windows build and its tests were NOT run"
  exit 0
fi
for needed in "/usr/x86_64-w64-mingw32/include/zlib.h libz-mingw-w64-dev" \
              "/usr/x86_64-w64-mingw32/include/gcrypt.h libgcrypt-mingw-w64-dev" \
              "/usr/src/googletest/CMakeLists.txt googletest"; do
  set -- $needed
  if [ ! -e "$1" ]; then
    note "no $1 (package $2): the Windows build and its tests were NOT run"
    exit 0
  fi
done
# Debian's wine64 keeps its loader in /usr/lib/wine; TALMOREK_WINE names another.
wine="${TALMOREK_WINE:-$(command -v wine64 || true)}"
[ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
if [ -z "$wine" ]; then
  note "no wine64 (package wine64): the Windows tests were NOT run"
  exit 0
fi

# --- Build -------------------------------------------------------------------
launcher=()
command -v ccache >/dev/null 2>&1 &&
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
start=$SECONDS
mkdir -p "$build"
# Optimised, but at -O1: from a cold cache the build takes a sixth less
# than at -O3 (on 2 cores 4 min against 5), and the tests run as quickly.
if ! cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
     -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" \
     -DTALMOREK_GUI=OFF -DTALMOREK_PRINT=OFF -DTALMOREK_BENCH=OFF \
     "${launcher[@]}" >"$build/configure.log" 2>&1; then
  cat "$build/configure.log"
  echo "FAILED: configuring the Windows build" >&2
  exit 1
fi
if ! cmake --build "$build" --parallel "$jobs"; then
  echo "FAILED: the Windows build" >&2
  exit 1
fi
phase_took "Windows build" "$((SECONDS - start))"

# --- Wine --------------------------------------------------------------------
# One throw-away prefix for the whole run, made without a display and
# without the .NET and HTML engines Wine would offer to install.
prefix="$(mktemp -d "${TMPDIR:-/tmp}/talmorek-wine.XXXXXX")"
wineserver="$(command -v wineserver || echo "$(dirname "$wine")/wineserver")"
cleanup() {
  WINEPREFIX="$prefix" timeout 60 "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap cleanup EXIT
unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine names the files on the Linux side in the encoding of the Linux
# locale: UTF-8, whatever locale the caller has (one that is not installed
# would leave Wine no way to write "č").
wine_env=(env LC_ALL=C.UTF-8 LANG=C.UTF-8)

start=$SECONDS
timeout 300 "${wine_env[@]}" "$wine" wineboot --init >"$build/wineboot.log" 2>&1
# The tool without arguments prints its usage and ends with 2: Wine runs
# programs here. (Wine's own failure names the .exe too, and ends otherwise.)
timeout 120 "${wine_env[@]}" "$wine" "$build/src/tool/talmorek-tool.exe" >"$build/wine-start.log" 2>&1
started=$?
sed -i 's/\r$//' "$build/wine-start.log"
if [ "$started" -ne 2 ] || ! grep -q "^Použití: talmorek-tool" "$build/wine-start.log"; then
  note "Wine does not start programs here; the Windows tests were NOT run:"
  tail -n 5 "$build/wineboot.log" "$build/wine-start.log" | sed 's/^/  /'
  exit 0
fi
# Drive E: a removable drive of the prefix (a directory of this run), for
# the test that lists and writes the machine's own carriers. Wine reads
# the drive types when it starts.
mkdir -p "$prefix/stick-e"
ln -s "$prefix/stick-e" "$prefix/dosdevices/e:"
timeout 60 "${wine_env[@]}" "$wine" reg add 'HKLM\Software\Wine\Drives' /v e: /t REG_SZ /d floppy /f >/dev/null 2>&1
# The decimal comma of a Czech station, as the user's regional settings
# give it (rule 98 writes it).
timeout 60 "${wine_env[@]}" "$wine" reg add 'HKCU\Control Panel\International' /v sDecimal /t REG_SZ /d , /f >/dev/null 2>&1
timeout 60 "$wineserver" -k >/dev/null 2>&1
export TALMOREK_TEST_REMOVABLE_DRIVE=E
phase_took "Wine prefix" "$((SECONDS - start))"

# --- The tests ---------------------------------------------------------------
echo "Left out of the Windows build, by their names (Linux only):"
(cd "$root/tests" && ls core/*/*_posix_test.cpp tool/*_posix_test.cpp core/*/*_nettle_test.cpp 2>/dev/null) |
  sed 's/^/  /'
echo "  tool/print_command_test.cpp tool/print_in_process.cpp tool/same_check_run_test.cpp (the build has no printing)"

mkdir -p "$build/wine-logs"
failed=0
start=$SECONDS
for exe in "$build"/tests/talmorek_*_tests.exe; do
  name="$(basename "$exe" .exe)"
  log="$build/wine-logs/$name.log"
  t0=$SECONDS
  (cd "$build/tests" && timeout "$test_timeout" "${wine_env[@]}" "$wine" "$exe") >"$log" 2>&1
  rc=$?
  sed -i 's/\r$//' "$log"  # the programs' text mode ends lines with CR LF
  passed="$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | grep -oE '[0-9]+' | head -1)"
  skipped="$(grep -E '^\[  SKIPPED \] [0-9]+ test' "$log" | grep -oE '[0-9]+' | head -1)"
  if [ "$rc" -eq 0 ]; then
    echo "  ok      $name: ${passed:-0} passed, ${skipped:-0} skipped ($((SECONDS - t0)) s)"
    # Each case skipped, with the reason it gave.
    awk '/^\[ RUN      \]/ { reason = "" }
         /^\[  SKIPPED \] [A-Za-z].* \([0-9]+ ms\)$/ { print "            skipped: " $4 (reason != "" ? " (" reason ")" : "") }
         !/^\[/ && !/Skipped$/ && $0 != "" { reason = $0 }' "$log"
  else
    failed=1
    [ "$rc" -eq 124 ] && echo "  FAILED  $name: still running after $test_timeout s" ||
      echo "  FAILED  $name (exit $rc, $((SECONDS - t0)) s); its output: $log"
    grep -E '^\[  FAILED  \] [A-Za-z]' "$log" | sort -u | sed 's/^/            /'
    grep -B1 -A8 'Failure$' "$log" | head -60 | sed 's/^/            /'
  fi
done

# The tool as a process: the same data file as the Linux tool's, the
# separator of the user's locale.
for script in "$root"/tests/windows/*.sh; do
  name="windows.$(basename "$script" .sh)"
  t0=$SECONDS
  if [ ! -x "$linux_tool" ]; then
    note "no Linux tool at $linux_tool: $name was NOT run"
  elif timeout "$test_timeout" "${wine_env[@]}" bash "$script" "$linux_tool" "$build/src/tool/talmorek-tool.exe" "$wine" \
       >"$build/wine-logs/$name.log" 2>&1; then
    echo "  ok      $name ($((SECONDS - t0)) s)"
  else
    failed=1
    echo "  FAILED  $name ($((SECONDS - t0)) s):"
    sed 's/^/            /' "$build/wine-logs/$name.log"
  fi
done
phase_took "Windows tests under Wine" "$((SECONDS - start))"

if [ "$failed" -ne 0 ]; then
  echo "FAILED: Windows tests under Wine" >&2
  exit 1
fi
echo "Windows tests under Wine: all passed"
