#!/usr/bin/env bash
# Lays out the seed inputs of fuzz/corpus/ from what the tool itself writes:
# a demo installation (single- and multi-station), the demo record saved as
# a precinct data file, and two inputs that once went wrong: a record JSON
# with a number beyond any field ("9e997") and a data line whose flag string
# holds a byte outside "0"/"1" (0xE9). Usage: fuzz/make_seeds.sh TALMOREK-TOOL
set -euo pipefail
tool="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
corpus="$here/corpus"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$tool" init-demo "$work/single" >/dev/null
"$tool" init-demo "$work/multi" --multi >/dev/null
record="$here/../src/tool/demo_record.json"
"$tool" datafile write "$work/single" --record "$record" --letter E --recompute \
  --now 2021-10-09T14:05:00 --seed 7 >/dev/null
single="$work/single"
package="$single/data/EP532053.00001"

mkdir -p "$corpus"/{package,results_line,record_json,station,registers,working_files,catalogue}

cp "$package" "$corpus/package/demo_data_file"
"$tool" package encode /dev/null "$corpus/package/empty_plain" >/dev/null

"$tool" package decode "$package" "$corpus/results_line/demo_two_parties" >/dev/null
# The same line with no party flagged: the T4 block, then the TS block.
python3 - "$corpus/results_line" <<'PY'
import sys
d = sys.argv[1]
line = open(d + "/demo_two_parties", "rb").read()
t4, ts = line[:105], line[105 + 2 * 239:]
open(d + "/no_party", "wb").write(t4[:45] + b"0" * 60 + ts)
# A flag before the two flagged parties holds the byte 0xE9 ("é" in code page 1250).
damaged = bytearray(line)
damaged[45] = 0xE9
open(d + "/flag_byte_e9", "wb").write(bytes(damaged))
PY

cp "$record" "$corpus/record_json/demo_record.json"
printf '{}' >"$corpus/record_json/empty_object.json"
printf '9e997' >"$corpus/record_json/number_too_large.json"

cp "$single/STANICE.RCD" "$corpus/station/single_kladno_1"
cp "$work/multi/data/OK7/STANICE.RCD" "$corpus/station/multi_praha_7"
cp "$work/multi/data/ZO90/STANICE.RCD" "$corpus/station/abroad_90"

# The first byte chooses the register: OKRSKY, PSRZVO, PSRVOK, STRANY, KANDIDAT.
i=0
for name in OKRSKY PSRZVO PSRVOK STRANY KANDIDAT; do
  out="$corpus/registers/${name,,}"
  printf "\\x0$i" >"$out"
  # Candidates: the first two dozen records are enough to seed the layout.
  head -c $((91 * 24)) "$single/$name.RCD" >>"$out"
  i=$((i + 1))
done

# The first byte chooses the file: even HLASO.RCD, odd KOMISE.RCD.
{ printf '\x00'; cat "$single/data/HLASO.RCD"; } >"$corpus/working_files/hlaso_saved"
{ printf '\x00'; cat "$work/multi/data/OK1/HLASO.RCD"; } >"$corpus/working_files/hlaso_installed"
{ printf '\x01'; cat "$single/data/KOMISE.RCD"; } >"$corpus/working_files/komise_two_members"

cp "$single/CISCHYB.RCD" "$corpus/catalogue/demo_catalogue"
