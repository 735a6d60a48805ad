#!/usr/bin/env bash
# Builds the Debian package talmorek_<version>_amd64.deb from a Release build
# (build-release/, only what the package holds) and puts it in dist/.
#   scripts/package.sh [OUTPUT_DIR]
# TALMOREK_PACKAGE_BUILD=<dir> packages an existing, configured and built
# tree instead (the test command packages its own build/ that way, rather
# than compiling everything a third time).
set -euo pipefail
source "$(dirname "$0")/setup.sh"
out="$(realpath -m "${1:-$TALMOREK_ROOT/dist}")"

if [ -n "${TALMOREK_PACKAGE_BUILD:-}" ]; then
  build="$TALMOREK_PACKAGE_BUILD"
else
  talmorek_install_packages
  build="$TALMOREK_ROOT/build-release"
  # Debian's hardening flags (fortified functions, read-only relocations
  # bound at start), as a package built by Debian's own tools has them.
  cmake -S "$TALMOREK_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTALMOREK_TESTS=OFF -DTALMOREK_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS) $(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)" \
    "${talmorek_launcher[@]}" >/dev/null
  cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)"
fi

mkdir -p "$out"
# cpack strips the executables, asks dpkg-shlibdeps for the libraries they
# need and writes the package; its working files stay in the build tree.
(cd "$build" && cpack -G DEB -B "$build/cpack" >/dev/null)
deb="$(ls "$build"/cpack/talmorek_*_amd64.deb)"
mv -f "$deb" "$out/"
echo "$out/$(basename "$deb")"
