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
  zlib1g-dev nettle-dev
  libgtest-dev libgmock-dev
  libbenchmark-dev
  nlohmann-json3-dev
  qt6-base-dev libgl-dev qt6-translations-l10n
  fonts-liberation2
  xvfb xauth poppler-utils openbox xdotool x11-utils
  cups cups-client printer-driver-cups-pdf
  dpkg-dev lintian desktop-file-utils
)

# The Windows build and its tests (scripts/windows_tests.sh): MinGW-w64 and
# its zlib and libgcrypt, GoogleTest's sources, Wine to run the tests. Only
# the test command asks for them, and goes on without them.
talmorek_windows_packages=(
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev libgcrypt-mingw-w64-dev libgpg-error-mingw-w64-dev
  googletest wine wine64
)

# How long the set-up waits for another package manager to release the
# package locks (on a fresh machine the system's own updater may hold them
# for minutes) before it gives up; TALMOREK_APT_LOCK_WAIT=<seconds> changes it.
talmorek_apt_lock_wait="${TALMOREK_APT_LOCK_WAIT:-600}"
[[ "$talmorek_apt_lock_wait" =~ ^[0-9]+$ ]] || talmorek_apt_lock_wait=600

# The files apt-get and dpkg lock while they work: "apt-get update" takes
# the lists lock, "apt-get install" the dpkg locks.
talmorek_apt_locks=(
  /var/lib/dpkg/lock-frontend
  /var/lib/dpkg/lock
  /var/lib/apt/lists/lock
  /var/cache/apt/archives/lock
)

# Succeeds when some process holds one of the package locks. The kernel
# lists every held lock (fcntl or flock) in /proc/locks by the locked
# file's "<major>:<minor>:<inode>", major and minor in hex.
talmorek_apt_locked() {
  local file major minor inode
  [ -r /proc/locks ] || return 1
  for file in "${talmorek_apt_locks[@]}"; do
    [ -e "$file" ] || continue
    read -r major minor inode < <(stat -c '%Hd %Ld %i' "$file" 2>/dev/null) || continue
    [ -n "$inode" ] || continue
    if grep -q " $(printf '%02x:%02x:%s' "$major" "$minor" "$inode") " /proc/locks; then
      return 0
    fi
  done
  return 1
}

# Waits, at most talmorek_apt_lock_wait seconds, until no other package
# manager holds the package locks, and says so once when it has to wait.
talmorek_wait_for_apt_locks() {
  local waited=0
  talmorek_apt_locked || return 0
  echo "Another package manager holds the package lock; waiting for it (at most ${talmorek_apt_lock_wait} s)."
  while talmorek_apt_locked; do
    if [ "$waited" -ge "$talmorek_apt_lock_wait" ]; then
      echo "The package lock is still held after ${talmorek_apt_lock_wait} s; let the other package manager finish, then run this again." >&2
      return 1
    fi
    sleep 1
    waited=$((waited + 1))
  done
}

# Installs those of the packages named that are missing; fails, saying
# why, where that cannot be done.
talmorek_install_listed() {
  local missing=()
  local p
  for p in "$@"; do
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
  talmorek_wait_for_apt_locks || return 1
  echo "Installing: ${missing[*]}"
  # Should another package manager take a lock between the wait and these
  # commands, apt-get waits for the dpkg lock itself, as long again at most.
  local lock_timeout=(-o "DPkg::Lock::Timeout=${talmorek_apt_lock_wait}")
  apt-get "${lock_timeout[@]}" update -qq || return 1
  DEBIAN_FRONTEND=noninteractive apt-get "${lock_timeout[@]}" install -y -qq "${missing[@]}" || return 1
}

talmorek_install_packages() {
  talmorek_install_listed "${talmorek_packages[@]}"
}

# The Windows packages: a machine where they cannot be installed goes on
# without the Windows tests, and says so.
talmorek_install_windows_packages() {
  [ "${TALMOREK_SKIP_WINDOWS:-0}" = 1 ] && return 0
  if ! talmorek_install_listed "${talmorek_windows_packages[@]}"; then
    echo "note: the packages of the Windows build could not be installed; the Windows tests will say what is missing"
  fi
  return 0
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

# The time each phase of the test command took, said when it ends and
# listed together at the end of the command (TALMOREK_PHASE_LOG collects
# them, scripts/windows_tests.sh adds its own).
talmorek_phase_begin() {
  talmorek_phase_t0=$SECONDS
}
talmorek_phase_end() {
  talmorek_phase_note "$1" "$((SECONDS - talmorek_phase_t0))"
}
talmorek_phase_note() {
  local line
  line="$(printf '%-34s %5d s' "$1" "$2")"
  echo "time: $1: $2 s"
  if [ -n "${TALMOREK_PHASE_LOG:-}" ]; then echo "$line" >>"$TALMOREK_PHASE_LOG"; fi
}
talmorek_phase_summary() {
  [ -s "${TALMOREK_PHASE_LOG:-}" ] || return 0
  echo "Time of each phase:"
  sed 's/^/  /' "$TALMOREK_PHASE_LOG"
  printf '  %-34s %5d s\n' "whole command" "$SECONDS"
}
