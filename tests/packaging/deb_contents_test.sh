#!/bin/bash
# Checks the Debian package's control fields and its exact file list, then unpacks it and checks
# the files themselves: the binary stripped, the icons at their sizes, the desktop entry and the
# metainfo accepted by their validators, the man page, copyright and changelog.
#
#   deb_contents_test.sh DEB VERSION WORK_DIR
set -u
deb=$1
version=$2
work=$3
app_id=io.github.quintoz.Quintoz
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
for tool in desktop-file-validate appstreamcli readelf; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (scripts/setup-debian.sh installs it)"
    exit 77
  fi
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quintoz ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)', not games"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] ||
  fail "Maintainer '$(field Maintainer)' is not a name and an address"
[ -n "$(field Homepage)" ] || fail "no Homepage"
description=$(field Description)
[ "$(wc -l <<<"$description")" -ge 3 ] || fail "the Description has no long text: $description"

# The libraries come from the binary: those it links dynamically are there with versions, those
# it opens when it needs them are named, and those built in (FLTK, the C++ run-time) are not.
depends=$(field Depends)
echo "Depends: $depends"
# The screen-reader bridge's libraries are named as both Debian 12 and 13 name them (13 adds
# "t64" to some).
for needed in 'libc6 (>= ' 'libx11-6' 'libxft2' 'libfontconfig1' 'libpangoxft-1.0-0' 'libasound2' \
  'libatk1.0-0' 'libatk-bridge2.0-0' 'libglib2.0-0' 'libdbus-1-3' 'fonts-liberation2'; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed"
done
for builtin in libfltk libstdc++ libgcc-s; do
  [[ "$depends" != *"$builtin"* ]] || fail "Depends names $builtin, which the binary carries itself"
done

expected="./usr/games/quintoz
./usr/share/applications/$app_id.desktop
./usr/share/doc/quintoz/changelog.gz
./usr/share/doc/quintoz/copyright"
for size in 128 16 24 256 32 48 64; do
  expected+=$'\n'"./usr/share/icons/hicolor/${size}x${size}/apps/quintoz.png"
done
expected+="
./usr/share/icons/hicolor/scalable/apps/quintoz.svg
./usr/share/man/man6/quintoz.6.gz
./usr/share/metainfo/$app_id.metainfo.xml"
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ {print $6}' <<<"$listing" | LC_ALL=C sort)
[ "$files" = "$(LC_ALL=C sort <<<"$expected")" ] ||
  fail "the package's files differ from those expected:
$(diff <(LC_ALL=C sort <<<"$expected") <(echo "$files"))"
while read -r mode owner _ _ _ path; do
  want=-rw-r--r--
  [ "$path" = ./usr/games/quintoz ] && want=-rwxr-xr-x
  [[ "$mode" == d* ]] && want=drwxr-xr-x
  [ "$mode" = "$want" ] || fail "$path has mode $mode, not $want"
  [ "$owner" = root/root ] || fail "$path is owned by $owner"
done <<<"$listing"

rm -rf "$work"
mkdir -p "$work"
dpkg-deb -x "$deb" "$work" || fail "dpkg-deb could not unpack the package"
share=$work/usr/share

readelf -S "$work/usr/games/quintoz" | grep -q '\.symtab' && fail "the binary is not stripped"

for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/quintoz.png
  header=$(od -An -tx1 -j12 -N12 "$png" | tr -d ' \n')
  printf -v want '49484452%08x%08x' "$size" "$size"
  [ "$header" = "$want" ] || fail "$png is not a ${size}x${size} PNG (IHDR $header)"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/quintoz.svg" || fail "the SVG icon is no SVG"

desktop=$share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
for line in 'Name=Quintoz' 'Icon=quintoz' 'Exec=quintoz' 'Categories=Game;BoardGame;'; do
  grep -qxF "$line" "$desktop" || fail "the desktop entry lacks $line"
done
[ -n "$(grep '^Comment=.' "$desktop")" ] || fail "the desktop entry has no Comment"

metainfo=$share/metainfo/$app_id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" ||
  fail "the metainfo has no release $version with a date"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch the desktop entry"

man=$(zcat "$share/man/man6/quintoz.6.gz") || fail "the man page is not gzip"
grep -q "^\.TH QUINTOZ 6 .*\"Quintoz $version\"" <<<"$man" || fail "the man page's title is wrong"

copyright=$share/doc/quintoz/copyright
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$copyright" || fail "the copyright file is not in the machine-readable format"
grep -qx 'License: Expat' "$copyright" || fail "the copyright file names no MIT (Expat) licence"
grep -q 'Permission is hereby granted' "$copyright" || fail "the copyright file lacks the licence text"
tr '\n' ' ' <"$copyright" | tr -s ' ' | grep -q 'based in part on the work of the FLTK project' ||
  fail "the copyright file does not acknowledge FLTK"
zcat "$share/doc/quintoz/changelog.gz" | head -n1 | grep -q "^quintoz ($version) " ||
  fail "the changelog does not start with version $version"

[ "$failures" = 0 ] || exit 1
echo "the package's fields and files are as expected"
