#!/usr/bin/env bash
# Shared set-up of ./run.sh and ./test.sh: installs the Debian packages the
# build needs (as root), then configures the build directories.
# Sourced, not run: it sets TALMOREK_ROOT, TALMOREK_BUILD and
# TALMOREK_SANITIZE_BUILD.

TALMOREK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TALMOREK_BUILD="${TALMOREK_BUILD:-$TALMOREK_ROOT/build}"
# The second build, with clang, AddressSanitizer and UBSan: the core and tool
# tests and the fuzz targets, no Qt program.
TALMOREK_SANITIZE_BUILD="${TALMOREK_SANITIZE_BUILD:-$TALMOREK_ROOT/build-asan}"

talmorek_packages=(
  cmake g++ make pkg-config ccache
  clang libclang-rt-dev
  zlib1g-dev
  libgtest-dev libgmock-dev
  libbenchmark-dev
  nlohmann-json3-dev
  qt6-base-dev libgl-dev qt6-translations-l10n
  fonts-liberation2
  xvfb xauth poppler-utils openbox xdotool x11-utils
  cups cups-client printer-driver-cups-pdf
)

talmorek_install_packages() {
  local missing=()
  local p
  for p in "${talmorek_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages. Run as root:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  # On a fresh machine the system's own updater may hold the package lock
  # for a while; apt waits for it (bounded) instead of failing at once.
  local lock_wait="${TALMOREK_APT_LOCK_WAIT:-600}"
  local lock_option=(-o "DPkg::Lock::Timeout=$lock_wait")
  if talmorek_package_lock_held; then
    echo "Another package manager holds the package lock; waiting for it (at most ${lock_wait} s)."
  fi
  apt-get "${lock_option[@]}" update -qq || return 1
  DEBIAN_FRONTEND=noninteractive apt-get "${lock_option[@]}" install -y -qq "${missing[@]}" || return 1
}

# Whether some process holds a package lock right now (lslocks is part of
# util-linux; where it cannot tell, nothing is said and apt still waits).
talmorek_package_lock_held() {
  command -v lslocks >/dev/null 2>&1 || return 1
  lslocks -n -o PATH 2>/dev/null | grep -qE '^/var/lib/(dpkg/lock(-frontend)?|apt/lists/lock)$'
}

talmorek_launcher=()
# Rebuilds after a branch switch or in a second work tree reuse what was
# compiled before; ccache is optional.
if command -v ccache >/dev/null 2>&1; then
  talmorek_launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$TALMOREK_ROOT}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
fi

talmorek_configure() {
  cmake -S "$TALMOREK_ROOT" -B "$TALMOREK_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${talmorek_launcher[@]}" >/dev/null
}

talmorek_build() {
  local jobs
  jobs="$(nproc 2>/dev/null || echo 2)"
  cmake --build "$TALMOREK_BUILD" --parallel "$jobs" "$@"
}

talmorek_configure_sanitized() {
  cmake -S "$TALMOREK_ROOT" -B "$TALMOREK_SANITIZE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTALMOREK_SANITIZE=ON -DTALMOREK_FUZZ=ON \
    -DTALMOREK_GUI=OFF -DTALMOREK_BENCH=OFF "${talmorek_launcher[@]}" >/dev/null
}

talmorek_build_sanitized() {
  local jobs
  jobs="$(nproc 2>/dev/null || echo 2)"
  cmake --build "$TALMOREK_SANITIZE_BUILD" --parallel "$jobs" "$@"
}
