#!/bin/bash
# Builds the Windows installer around the cross-built Quintoz.exe and tries it under Wine in a
# throw-away prefix on a private virtual screen: silent install, the installed files, shortcut
# and uninstall entry, the installed game up to its first prompt, then silent uninstall and
# nothing of it left.
#
#   windows_installer_test.sh QUINTOZ_EXE VERSION WORK_DIR
#
# Exits with 77 (skipped) when Wine or NSIS is not installed or the program could not be built
# for want of the cross compiler; any other missing tool is a failure.
set -u

exe=$1
version=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
started=$SECONDS
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quintoz'
# shellcheck source=../win32/wine_session.sh
. "$here/../win32/wine_session.sh"

for tool in wine makensis; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (apt-get install wine wine64 nsis)"
    exit 77
  fi
done
require_built_exe "$exe"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed"
done

start_scratch_prefix "$work"

packages=$("$here/../../packaging/windows/make-packages.sh" "$exe" "$version" "$scratch/dist") ||
  fail "the installer was not built"
setup=$scratch/dist/Quintoz-$version-setup.exe
[ "$(head -n1 <<<"$packages")" = "$setup" ] || fail "make-packages.sh printed: $packages"
zip=$scratch/dist/Quintoz-$version-win64.zip
zip_list=$(python3 -c 'import sys, zipfile; print("\n".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip") ||
  fail "the zip cannot be read"
[ "$(grep -v '/$' <<<"$zip_list")" = "Quintoz-$version/Quintoz.exe
Quintoz-$version/README.txt" ] || fail "the zip holds: $zip_list"
log "built $setup and the zip"

start_screen_and_wine 1024x768x24

# Lists every file and registry key the prefix holds that is not Wine's own; taken before the
# installation, it shows afterwards what the uninstaller left.
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . -not -path './windows/*' | LC_ALL=C sort)
  grep -o '^\[[^]]*\]' "$WINEPREFIX/user.reg" | LC_ALL=C sort
}
snapshot >"$scratch/before"

wine "$setup" /S >"$scratch/setup.log" 2>&1 || fail "the silent installation failed: $(cat "$scratch/setup.log")"
wineserver -w
log "installed silently"

value() {
  wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name {
    sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print }'
}
[ "$(value DisplayName)" = Quintoz ] || fail "DisplayName is '$(value DisplayName)'"
[ "$(value DisplayVersion)" = "$version" ] || fail "DisplayVersion is '$(value DisplayVersion)'"
[ "$(value Publisher)" = "The Quintoz developers" ] || fail "Publisher is '$(value Publisher)'"
location=$(value InstallLocation)
[[ "$location" == *'\AppData\Local\Programs\Quintoz' ]] ||
  fail "installed in '$location', not the user's own programs folder"
[ "$(value DisplayIcon)" = "$location\\Quintoz.exe,0" ] || fail "DisplayIcon is '$(value DisplayIcon)'"
[ "$(value UninstallString)" = "\"$location\\Uninstall.exe\"" ] ||
  fail "UninstallString is '$(value UninstallString)'"
log "the uninstall entry is registered"

folder=$(winepath -u "$location" 2>/dev/null)
[ -d "$folder" ] || fail "$folder does not exist"
cmp -s "$folder/Quintoz.exe" "$exe" || fail "the installed Quintoz.exe is not the built one"
[ -f "$folder/Uninstall.exe" ] || fail "there is no Uninstall.exe"
grep -q "MIT" "$folder/README.txt" || fail "README.txt does not state the licence"
shortcut=$(find "$WINEPREFIX/drive_c/users" -path '*Start Menu/Programs/Quintoz.lnk' | head -n1)
[ -n "$shortcut" ] || fail "there is no Start-menu shortcut"
grep -aq 'Quintoz.exe' "$shortcut" || fail "the shortcut does not point at Quintoz.exe"
log "files and shortcut are in place"

wine "$folder/Quintoz.exe" >"$scratch/game.log" 2>&1 &
game_pid=$!
deadline=$((SECONDS + 90))
until xdotool search --onlyvisible --name '^Number of Players$' >/dev/null 2>&1; do
  kill -0 "$game_pid" 2>/dev/null || fail "the installed game ended before its first prompt"
  [ $SECONDS -lt $deadline ] || fail "the installed game showed no \"Number of Players\" prompt"
  sleep 0.3
done
log "the installed game asks for the number of players"
wineserver -k
wait "$game_pid" 2>/dev/null
game_pid=""

wine "$folder/Uninstall.exe" /S >"$scratch/uninstall.log" 2>&1 ||
  fail "the silent uninstallation failed: $(cat "$scratch/uninstall.log")"
# The uninstaller runs from a copy in the temporary folder and returns at once; wait for it.
wineserver -w
[ ! -e "$folder" ] || fail "$folder is still there: $(ls -A "$folder")"
[ -z "$(find "$WINEPREFIX/drive_c/users" -name 'Quintoz.lnk')" ] || fail "the shortcut is still there"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still registered"
wineserver -w
left=$(comm -13 "$scratch/before" <(snapshot) | grep -i quintoz)
[ -z "$left" ] || fail "the uninstaller left behind: $left"
log "uninstalled silently, nothing left"
