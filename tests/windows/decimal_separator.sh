#!/usr/bin/env bash
# Rule 98's share is written with the decimal separator the Windows user
# chose in the regional settings (GetLocaleInfoEx of the user's locale),
# whatever the C runtime's locale: "0,24 %" with the Czech comma, "0.24 %"
# with a point. The test sets the user's choice as the settings do
# (HKCU\Control Panel\International, sDecimal) and puts the comma back.
#
#   decimal_separator.sh LINUX_TOOL WINDOWS_TOOL WINE
#
# The record's preferential votes (5 of 2084 possible) make rule 98 warn.
set -u
windows_tool="$2"
wine="$3"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

"$wine" "$windows_tool" init-demo "$(windows_path "$work/demo")" >"$work/out" 2>&1 || fail "init-demo: $(cat "$work/out")"
set_separator() {
  "$wine" reg add 'HKCU\Control Panel\International' /v sDecimal /t REG_SZ /d "$1" /f >/dev/null 2>&1 ||
    fail "cannot set the decimal separator $1"
}
trap 'set_separator ,; rm -rf "$work"' EXIT
for case in ". 0.24" ", 0,24"; do
  set -- $case
  set_separator "$1"
  "$wine" "$windows_tool" check "$(windows_path "$work/demo")" \
    --record "$(windows_path "$here/rare_preferential_votes.json")" --recompute --now 2021-10-09T14:30:05 \
    >"$work/out" 2>&1
  grep -q "98 - .*(využito: $2 %)" "$work/out" || fail "separator '$1': expected 'využito: $2 %' in: $(cat "$work/out")"
done
echo "ok: rule 98 takes the separator of the user's locale"
