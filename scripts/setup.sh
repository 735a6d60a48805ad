#!/usr/bin/env bash
# Shared set-up of ./run.sh and ./test.sh: installs the Debian packages the
# build needs (as root), then configures the build directory.
# Sourced, not run: it sets TALMOREK_ROOT and TALMOREK_BUILD.

TALMOREK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TALMOREK_BUILD="${TALMOREK_BUILD:-$TALMOREK_ROOT/build}"

talmorek_packages=(
  cmake g++ make pkg-config ccache
  zlib1g-dev
  libgtest-dev libgmock-dev
  libbenchmark-dev
  nlohmann-json3-dev
  qt6-base-dev libgl-dev qt6-translations-l10n
  fonts-liberation2
  xvfb xauth poppler-utils
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
  apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" || return 1
}

talmorek_configure() {
  local launcher=()
  # Rebuilds after a branch switch or in a second work tree reuse what was
  # compiled before; ccache is optional.
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$TALMOREK_ROOT}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
  fi
  cmake -S "$TALMOREK_ROOT" -B "$TALMOREK_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
}

talmorek_build() {
  local jobs
  jobs="$(nproc 2>/dev/null || echo 2)"
  cmake --build "$TALMOREK_BUILD" --parallel "$jobs" "$@"
}
