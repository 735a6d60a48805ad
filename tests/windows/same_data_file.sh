#!/usr/bin/env bash
# The same record saved by the Linux tool and by talmorek-tool.exe under
# Wine gives the same precinct data file, byte for byte (and the same
# working files beside it): the two builds' zlib, cipher and hash agree.
#
#   same_data_file.sh LINUX_TOOL WINDOWS_TOOL WINE
#
# WINE runs a Windows program (its prefix in the environment). Both installations lie in a directory whose name holds
# Czech letters and blanks, given to the Windows tool as a Windows path.
set -u
linux_tool="$1"
windows_tool="$2"
wine="$3"
record="$(cd "$(dirname "$0")/../.." && pwd)/src/tool/demo_record.json"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# /a/b as Wine's drive Z: shows it.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

mkdir -p "$work/Volby – Čáslav"
linux="$work/Volby – Čáslav/linux"
windows="$work/Volby – Čáslav/windows"
# The clock of the save fixed, the check numbers' seed too.
save=(--record "$record" --letter O --recompute --now 2021-10-09T14:30:05 --seed 7)

"$linux_tool" init-demo "$linux" >"$work/linux.out" 2>&1 || fail "Linux init-demo: $(cat "$work/linux.out")"
"$linux_tool" datafile write "$linux" "${save[@]}" >"$work/linux.out" 2>&1 ||
  fail "Linux datafile write: $(cat "$work/linux.out")"

"$wine" "$windows_tool" init-demo "$(windows_path "$windows")" >"$work/windows.out" 2>&1 ||
  fail "Windows init-demo: $(cat "$work/windows.out")"
"$wine" "$windows_tool" datafile write "$(windows_path "$windows")" --record "$(windows_path "$record")" \
  "${save[@]:2}" >"$work/windows.out" 2>&1 || fail "Windows datafile write: $(cat "$work/windows.out")"

data_file="$(cd "$linux/data" && ls O* 2>/dev/null)"
[ -n "$data_file" ] || fail "the Linux tool wrote no data file: $(ls -R "$linux")"
[ -f "$windows/data/$data_file" ] || fail "the Windows tool wrote no $data_file: $(ls "$windows/data")"
if ! cmp "$linux/data/$data_file" "$windows/data/$data_file"; then
  od -A d -t x1 "$linux/data/$data_file" | head -5 >&2
  od -A d -t x1 "$windows/data/$data_file" | head -5 >&2
  fail "the data file $data_file differs between the Linux and the Windows tool"
fi
diff -r "$linux" "$windows" >"$work/diff" 2>&1 || fail "the installations differ beside the data file: $(cat "$work/diff")"
echo "ok: $data_file, $(stat -c %s "$linux/data/$data_file") bytes, the same from both tools"
