#!/usr/bin/env bash
# The built talmorek-tool as a user runs it:
#   tool_process.sh TOOL
# - without XDG_RUNTIME_DIR a printout prints only the tool's own line;
# - under a file-size limit a PDF is refused with one Czech line naming the
#   file, exit code 2, the earlier PDF untouched and no temporary file left.
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tool" init-demo "$work/demo" >/dev/null 2>&1 || fail "init-demo"

env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen "$tool" print testpage "$work/demo" --pdf "$work/test.pdf" \
  >"$work/out" 2>"$work/err" || fail "testpage: $(cat "$work/err")"
[ -s "$work/err" ] && fail "stderr of a printout: $(cat "$work/err")"
[ "$(cat "$work/out")" = "$work/test.pdf: 1 str." ] || fail "stdout: $(cat "$work/out")"
size=$(stat -c %s "$work/test.pdf")
limit_blocks=$(( size / 1024 / 2 ))  # half the PDF fits
[ "$limit_blocks" -ge 1 ] || fail "PDF of $size bytes is too small to cut"

mkdir "$work/pdfs"
echo "the earlier printout" >"$work/pdfs/old.pdf"
bash -c 'ulimit -f "$1"; shift; exec "$@"' limit "$limit_blocks" \
  "$tool" print testpage "$work/demo" --pdf "$work/pdfs/old.pdf" >"$work/out" 2>"$work/err"
code=$?
[ "$code" -eq 2 ] || fail "exit code $code under the file-size limit; stdout: $(cat "$work/out")"
[ "$(cat "$work/err")" = "Soubor $work/pdfs/old.pdf nelze zapsat: soubor by byl příliš velký." ] ||
  fail "stderr: $(cat "$work/err")"
[ -s "$work/out" ] && fail "stdout: $(cat "$work/out")"
[ "$(cat "$work/pdfs/old.pdf")" = "the earlier printout" ] || fail "the earlier PDF changed"
[ "$(ls -A "$work/pdfs")" = "old.pdf" ] || fail "left beside it: $(ls -A "$work/pdfs")"
echo "ok"
