#!/usr/bin/env bash
# The Debian package as a station's administrator meets it.
#   package_test.sh build    BUILD_DIR WORK   makes WORK/talmorek_*.deb from BUILD_DIR
#   package_test.sh contents SOURCE_DIR WORK  files, permissions, control fields, desktop entry
#   package_test.sh lintian  SOURCE_DIR WORK  no error; every warning explained in packaging/lintian-explained
#   package_test.sh root     SOURCE_DIR WORK  installed into a throw-away root: a station laid out
#                                             with its tool, then the package removed, the station kept
# Exit 77: a tool the check needs is not installed (the test is skipped).
set -euo pipefail
mode="$1"
where="$2"
work="$3"
fail() { echo "FAIL: $*" >&2; exit 1; }

deb_of() {
  local deb
  deb="$(ls "$work"/talmorek_*_amd64.deb 2>/dev/null | head -1)"
  [ -n "$deb" ] || fail "no package in $work (package.build did not run?)"
  echo "$deb"
}

case "$mode" in
build)
  rm -rf "$work"
  mkdir -p "$work"
  TALMOREK_PACKAGE_BUILD="$where" bash "$(dirname "$0")/../../scripts/package.sh" "$work"
  deb_of >/dev/null
  ;;

contents)
  deb="$(deb_of)"
  field() { dpkg-deb -f "$deb" "$1"; }
  [ "$(field Package)" = talmorek ] || fail "Package: $(field Package)"
  [ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
  version="$(sed -n 's/^project(talmorek VERSION \([0-9.]*\).*/\1/p' "$where/CMakeLists.txt")"
  [ "$(field Version)" = "$version" ] || fail "Version $(field Version), the project says $version"
  [ "$(basename "$deb")" = "talmorek_${version}_amd64.deb" ] || fail "file name $(basename "$deb")"
  depends="$(field Depends)"
  # From dpkg-shlibdeps: the Qt runtime and the libraries the tool links;
  # by hand: the fonts of the printouts and Qt's Czech texts.
  for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libnettle8 zlib1g libc6 libstdc++6 \
             fonts-liberation2 qt6-translations-l10n; do
    tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | grep -qxF "$dep" || fail "Depends lacks $dep: $depends"
  done

  # Every file with its mode and owner, links with their targets.
  actual="$(dpkg-deb -c "$deb" | awk '{ t = $6; for (i = 7; i <= NF; i++) t = t " " $i; print $1, $2, t }' | sort)"
  expected="$(sort <<'LIST'
drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
lrwxrwxrwx root/root ./usr/bin/talmorek-tool -> ../lib/talmorek/talmorek-tool
drwxr-xr-x root/root ./usr/lib/
drwxr-xr-x root/root ./usr/lib/talmorek/
-rwxr-xr-x root/root ./usr/lib/talmorek/talmorek
-rwxr-xr-x root/root ./usr/lib/talmorek/talmorek-tool
-rwxr-xr-x root/root ./usr/lib/talmorek/talmorek-tool-print
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/applications/
-rw-r--r-- root/root ./usr/share/applications/talmorek.desktop
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./usr/share/doc/talmorek/
-rw-r--r-- root/root ./usr/share/doc/talmorek/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/talmorek/copyright
drwxr-xr-x root/root ./usr/share/icons/
drwxr-xr-x root/root ./usr/share/icons/hicolor/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/talmorek.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/16x16/
drwxr-xr-x root/root ./usr/share/icons/hicolor/16x16/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/16x16/apps/talmorek.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/22x22/
drwxr-xr-x root/root ./usr/share/icons/hicolor/22x22/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/22x22/apps/talmorek.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/24x24/
drwxr-xr-x root/root ./usr/share/icons/hicolor/24x24/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/24x24/apps/talmorek.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/256x256/
drwxr-xr-x root/root ./usr/share/icons/hicolor/256x256/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/256x256/apps/talmorek.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/32x32/
drwxr-xr-x root/root ./usr/share/icons/hicolor/32x32/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/32x32/apps/talmorek.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/talmorek.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/64x64/
drwxr-xr-x root/root ./usr/share/icons/hicolor/64x64/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/64x64/apps/talmorek.png
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man1/
-rw-r--r-- root/root ./usr/share/man/man1/talmorek-tool.1.gz
LIST
)"
  diff <(echo "$expected") <(echo "$actual") || fail "the package's files differ from the list above"

  tree="$(mktemp -d)"
  trap 'rm -rf "$tree"' EXIT
  dpkg-deb -x "$deb" "$tree"
  # The icons are PNG pictures of the size their directory says.
  for png in "$tree"/usr/share/icons/hicolor/*/apps/talmorek.png; do
    size="$(basename "$(dirname "$(dirname "$png")")")"
    w=$((16#$(od -An -tx1 -j16 -N4 "$png" | tr -d ' \n')))
    h=$((16#$(od -An -tx1 -j20 -N4 "$png" | tr -d ' \n')))
    [ "${w}x${h}" = "$size" ] || fail "$png is ${w}x${h}"
  done
  # The executables are stripped and carry no search path of the build tree.
  for exe in "$tree"/usr/lib/talmorek/*; do
    if readelf -S "$exe" | grep -q '\.debug_info'; then fail "$exe is not stripped"; fi
    if readelf -d "$exe" | grep -Eq 'RPATH|RUNPATH'; then fail "$exe has a search path"; fi
  done
  # The manual page names every command the tool offers.
  man_page="$(zcat "$tree/usr/share/man/man1/talmorek-tool.1.gz")"
  commands="$({ "$tree/usr/lib/talmorek/talmorek-tool" 2>&1 || true; } | sed -n 's/^  talmorek-tool \([a-z-]*\).*/\1/p')"
  [ -n "$commands" ] || fail "the tool printed no commands"
  for c in $commands; do
    grep -q "^\.BI \"$c " <<<"$man_page" || fail "the manual page does not describe '$c'"
  done
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$tree/usr/share/applications/talmorek.desktop" || fail "desktop entry"
  else
    echo "note: desktop-file-validate is not installed; the desktop entry was not validated"
  fi
  grep -qx 'Exec=/usr/lib/talmorek/talmorek' "$tree/usr/share/applications/talmorek.desktop" ||
    fail "the desktop entry does not run the installed program"
  ;;

lintian)
  deb="$(deb_of)"
  command -v lintian >/dev/null || { echo "lintian is not installed"; exit 77; }
  report="$(lintian --allow-root --tag-display-limit 0 "$deb" 2>&1 || true)"
  echo "$report"
  if grep -q '^E: ' <<<"$report"; then fail "lintian reports errors"; fi
  explained="$where/packaging/lintian-explained"
  while read -r line; do
    tag="$(awk '{print $3}' <<<"$line")"
    grep -q "^$tag:" "$explained" || fail "lintian warning not explained in packaging/lintian-explained: $line"
  done < <(grep '^W: ' <<<"$report" || true)
  ;;

root)
  deb="$(deb_of)"
  command -v dpkg >/dev/null || { echo "dpkg is not installed"; exit 77; }
  root="$work/root"
  rm -rf "$root"
  mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
  touch "$root/var/lib/dpkg/status"
  # Dependencies are the host's; the root holds the package alone.
  dpkg_root=(dpkg --root="$root" --force-not-root --force-depends --force-script-chrootless)
  "${dpkg_root[@]}" -i "$deb" >/dev/null 2>&1 || fail "dpkg could not install the package into $root"
  tool="$root/usr/bin/talmorek-tool"
  [ -x "$tool" ] || fail "no $tool"

  # The tool from the package lays out a station from an office's set and
  # links the package's program into it.
  "$tool" demo-office "$work/sada" >/dev/null
  out="$("$tool" install-station "$work/sada" "$work/stanice" --no-menu)" || fail "install-station: $out"
  echo "$out"
  [ "$(readlink "$work/stanice/talmorek")" = "$root/usr/lib/talmorek/talmorek" ] ||
    fail "the station does not link the package's program: $(readlink "$work/stanice/talmorek")"
  grep -qx "Exec=\"$work/stanice/talmorek\"" "$work/stanice/talmorek.desktop" || fail "launcher"
  "$tool" summary "$work/stanice" | grep -q 532053 || fail "summary of the station"
  # The print companion is found beside the tool through the link on the path.
  "$tool" print testpage "$work/stanice" --pdf "$work/zkouska.pdf" >/dev/null || fail "print from the package"
  [ -s "$work/zkouska.pdf" ] || fail "no PDF"
  # The commission's work, then the package removed: the station stays.
  "$tool" datafile write "$work/stanice" --record "$where/src/tool/demo_record.json" --letter E >/dev/null ||
    fail "datafile write"
  before="$(cd "$work/stanice" && find . -type f -print0 | sort -z | xargs -0 sha256sum)"
  "${dpkg_root[@]}" --purge talmorek >/dev/null 2>&1 || fail "dpkg could not remove the package"
  [ ! -e "$root/usr/lib/talmorek/talmorek" ] || fail "the program is still installed"
  after="$(cd "$work/stanice" && find . -type f -print0 | sort -z | xargs -0 sha256sum)"
  [ "$before" = "$after" ] || fail "removing the package changed the station"
  ;;
*)
  fail "unknown mode $mode"
  ;;
esac
echo "ok: package $mode"
