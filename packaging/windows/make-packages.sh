#!/bin/sh
# Makes the Windows installer and the portable zip from a cross-built Quintoz.exe.
#
#   packaging/windows/make-packages.sh QUINTOZ_EXE VERSION OUT_DIR
#
# Writes OUT_DIR/Quintoz-VERSION-setup.exe and OUT_DIR/Quintoz-VERSION-win64.zip and prints
# their paths. Needs makensis (Debian package nsis) and cmake. Exits with 77 when makensis is
# missing, so that a test running it can report itself skipped.
set -eu

if [ $# -ne 3 ]; then
  echo "usage: $0 QUINTOZ_EXE VERSION OUT_DIR" >&2
  exit 2
fi
exe=$1
version=$2
out=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

if ! command -v makensis >/dev/null 2>&1; then
  echo "makensis is not installed (apt-get install nsis)" >&2
  exit 77
fi
[ -f "$exe" ] || { echo "$exe does not exist" >&2; exit 1; }

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Quintoz-$version"

# The read-me ends with the licence, and has Windows line ends so that Notepad shows it right.
{
  sed "s/@VERSION@/$version/g" "$here/README.txt.in"
  cat "$root/LICENSE"
} | sed 's/$/\r/' >"$stage/Quintoz-$version/README.txt"
cp "$exe" "$stage/Quintoz-$version/Quintoz.exe"

setup="$out/Quintoz-$version-setup.exe"
makensis -V2 -NOCD \
  "-DVERSION=$version" \
  "-DEXE=$stage/Quintoz-$version/Quintoz.exe" \
  "-DREADME=$stage/Quintoz-$version/README.txt" \
  "-DICON=$root/assets/icon.ico" \
  "-DOUTFILE=$setup" \
  "$here/quintoz.nsi"

zip="$out/Quintoz-$version-win64.zip"
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "Quintoz-$version")

echo "$setup"
echo "$zip"
