#!/usr/bin/env bash
# The set-up of ./run.sh and ./test.sh on a fresh machine, where the system's
# own updater may hold the package lock: apt is asked to wait for the lock
# (bounded) instead of failing at once, and the set-up says that it waits.
# apt-get, dpkg-query, lslocks and id are stand-ins here: nothing is
# installed, and the test runs as any user.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
stubs="$(mktemp -d)"
trap 'rm -rf "$stubs"' EXIT

cat >"$stubs/dpkg-query" <<'STUB'
#!/bin/sh
# Every package but cmake is installed.
case "$*" in *" cmake") echo "deinstall ok config-files" ;; *) echo "install ok installed" ;; esac
STUB
cat >"$stubs/apt-get" <<'STUB'
#!/bin/sh
echo "$*" >>"$APT_CALLS"
STUB
cat >"$stubs/lslocks" <<'STUB'
#!/bin/sh
echo /var/lib/dpkg/lock-frontend
STUB
cat >"$stubs/id" <<'STUB'
#!/bin/sh
echo 0
STUB
chmod +x "$stubs"/*

export APT_CALLS="$stubs/calls"
output="$(PATH="$stubs:$PATH" TALMOREK_APT_LOCK_WAIT=42 bash -c "source '$root/scripts/setup.sh' && talmorek_install_packages" 2>&1)"
status=$?

fail() { echo "FAIL: $*"; echo "output:"; echo "$output"; echo "apt-get calls:"; cat "$APT_CALLS" 2>/dev/null; exit 1; }
[ "$status" -eq 0 ] || fail "the set-up failed ($status)"
grep -q "holds the package lock; waiting for it (at most 42 s)" <<<"$output" || fail "it did not say that it waits"
[ "$(grep -c -- '-o DPkg::Lock::Timeout=42' "$APT_CALLS")" -eq 2 ] || fail "apt-get was not asked to wait for the lock"
grep -q -- 'install -y -qq cmake$' "$APT_CALLS" || fail "the missing package was not installed"
echo "PASS"
