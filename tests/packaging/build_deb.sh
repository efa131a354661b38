#!/bin/bash
# Builds the Debian package from the build tree with CPack, as scripts/package.sh does.
#
#   build_deb.sh CPACK_CONFIG OUT_DIR EXPECTED_DEB
set -u
config=$1
out=$2
deb=$3
for tool in dpkg-shlibdeps dpkg-deb; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (apt-get install dpkg-dev)"
    exit 77
  fi
done
rm -rf "$out"
cpack --config "$config" -B "$out" || exit 1
[ -f "$deb" ] || { echo "FAIL: CPack did not write $deb"; ls "$out"; exit 1; }
echo "built $deb"
