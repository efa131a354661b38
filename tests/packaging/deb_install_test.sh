#!/bin/bash
# Installs the Debian package with dpkg into a throw-away root, runs the installed program there,
# then removes the package and expects nothing of it left.
#
#   deb_install_test.sh DEB VERSION WORK_DIR
set -u
deb=$1
version=$2
work=$3
fail() {
  echo "FAIL: $*"
  exit 1
}
root=$work/root
rm -rf "$work"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The throw-away root has no other packages, so the dependencies cannot be met inside it; the
# program then runs against the build machine's libraries.
dpkg=(dpkg "--root=$root" --force-not-root --log=/dev/null)
"${dpkg[@]}" --force-depends -i "$deb" || fail "dpkg could not install the package"
"${dpkg[@]}" -s quintoz | grep -qx 'Status: install ok installed' || fail "quintoz is not installed"

installed=$root/usr/games/quintoz
[ -x "$installed" ] || fail "$installed is missing"
printed=$(env -u DISPLAY "$installed" --version) || fail "the installed program failed"
[ "$printed" = "quintoz $version" ] || fail "the installed program printed '$printed'"
echo "installed program: $printed"

"${dpkg[@]}" --purge quintoz || fail "dpkg could not remove the package"
left=$(cd "$root" && find . -mindepth 1 -not -path './var' -not -path './var/lib' \
  -not -path './var/lib/dpkg' -not -path './var/lib/dpkg/*')
[ -z "$left" ] || fail "removing the package left behind: $left"
echo "installed, ran and removed without a trace"
