#!/usr/bin/env bash
# The set-up of ./run.sh and ./test.sh on a fresh machine, where the system's
# own updater may hold a package lock (the lists lock of "apt-get update" as
# much as dpkg's): the set-up says that it waits, waits until the lock is
# released, and gives up with a plain message once its bound has passed.
# The packages of the Windows build are installed apart: where they cannot
# be, the set-up says so and goes on.
# The locks are files of the test's own held with flock; apt-get,
# dpkg-query and id are stand-ins: nothing is installed, any user may run it.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
holder=""
trap '[ -n "$holder" ] && kill "$holder" 2>/dev/null; rm -rf "$work"' EXIT

mkdir "$work/bin"
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
# Every package but cmake (or $MISSING) is installed.
case "$*" in *" ${MISSING:-cmake}") echo "deinstall ok config-files" ;; *) echo "install ok installed" ;; esac
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
echo "$(date +%s) $*" >>"$APT_CALLS"
# APT_FAIL: no package can be fetched.
[ -z "${APT_FAIL:-}" ]
STUB
cat >"$work/bin/id" <<'STUB'
#!/bin/sh
echo 0
STUB
chmod +x "$work/bin"/*
touch "$work/lists.lock" "$work/dpkg.lock"
export APT_CALLS="$work/calls"

# Runs the set-up's install step with the test's locks; $1 is the bound.
install_step() {
  PATH="$work/bin:$PATH" TALMOREK_APT_LOCK_WAIT="$1" bash -c "
    source '$root/scripts/setup.sh'
    talmorek_apt_locks=('$work/dpkg.lock' '$work/lists.lock')
    talmorek_install_packages" 2>&1
}

fail() { echo "FAIL: $*"; echo "output:"; echo "$output"; echo "apt-get calls:"; cat "$APT_CALLS" 2>/dev/null; exit 1; }

# The lists lock held for 3 s: the set-up says it waits, and apt-get runs
# only once the lock is free, asked to wait for dpkg's lock itself.
flock "$work/lists.lock" sleep 3 &
holder=$!
sleep 0.5
start=$(date +%s)
output="$(install_step 30)"
status=$?
[ "$status" -eq 0 ] || fail "the set-up failed ($status)"
grep -q "holds the package lock; waiting for it (at most 30 s)" <<<"$output" || fail "it did not say that it waits"
first_call=$(head -1 "$APT_CALLS" | cut -d' ' -f1)
[ "$first_call" -ge $((start + 2)) ] || fail "apt-get ran while the lock was held"
[ "$(grep -c -- '-o DPkg::Lock::Timeout=30' "$APT_CALLS")" -eq 2 ] || fail "apt-get was not asked to wait for the lock"
grep -q -- 'install -y -qq cmake$' "$APT_CALLS" || fail "the missing package was not installed"
wait "$holder"
holder=""

# A lock held past the bound: a plain message, a failure, no apt-get.
rm -f "$APT_CALLS"
flock "$work/dpkg.lock" sleep 5 &
holder=$!
sleep 0.5
output="$(install_step 2)"
status=$?
[ "$status" -ne 0 ] || fail "the set-up went on under a held lock"
grep -q "still held after 2 s" <<<"$output" || fail "it did not say why it gave up"
[ ! -e "$APT_CALLS" ] || fail "apt-get ran under a held lock"
# The lock is free again once the holder's command has ended.
wait "$holder"
holder=""

# Wine missing: the build's own packages do not ask for it; the Windows
# packages do, and where apt-get fails the set-up says so and goes on.
rm -f "$APT_CALLS"
output="$(MISSING=wine64 install_step 5)" || fail "the build's packages failed for a Windows package"
[ ! -e "$APT_CALLS" ] || fail "the build's packages asked for a Windows package"
output="$(PATH="$work/bin:$PATH" MISSING=wine64 APT_FAIL=1 TALMOREK_APT_LOCK_WAIT=5 bash -c "
    source '$root/scripts/setup.sh'
    talmorek_apt_locks=('$work/dpkg.lock' '$work/lists.lock')
    talmorek_install_windows_packages && echo WENT-ON" 2>&1)"
grep -q -- 'install -y -qq wine64$' "$APT_CALLS" 2>/dev/null || grep -q -- 'update -qq$' "$APT_CALLS" ||
  fail "the Windows packages were not asked for"
grep -q "^note: the packages of the Windows build could not be installed" <<<"$output" || fail "it did not say so"
grep -q "^WENT-ON$" <<<"$output" || fail "the set-up stopped at a Windows package"
echo "PASS"
