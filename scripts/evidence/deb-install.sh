#!/usr/bin/env bash
# Tries the Debian package as a player would, on a clean Debian root: `apt install` of the .deb,
# `quintoz --version`, the menu entry, the game up to its first prompt under Xvfb, then
# `apt remove` and a search for anything of it left behind. The clean root is the minimal root
# that scripts/fresh-debian.sh caches (run that once first); it is unpacked into a temporary
# folder and removed again on every way out.
#
# Usage: scripts/evidence/deb-install.sh RELEASE DEB   (RELEASE: bookworm or trixie)
set -euo pipefail

[ $# -eq 2 ] || {
  echo "usage: $0 bookworm|trixie DEB" >&2
  exit 2
}
release=$1
deb=$(realpath "$2")
tarball=${QUINTOZ_FRESH_CACHE:-$HOME/.cache/quintoz-fresh-debian}/$release-minbase.tar.gz
[ -f "$tarball" ] || {
  echo "no cached $release root: run scripts/fresh-debian.sh $release first" >&2
  exit 2
}
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"

work=$(mktemp -d /tmp/quintoz-deb-XXXXXX)
root=$work/root
mkdir -p "$root"
cleanup() {
  set +e
  for proc in /proc/[0-9]*; do
    [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill -9 "${proc#/proc/}" 2>/dev/null
  done
  for m in $(awk -v r="$root" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r); do
    umount "$m" 2>/dev/null || umount -l "$m"
  done
  if awk -v r="$root" 'index($2, r) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
    echo "deb-install: mounts are left under $root; not removing $work" >&2
  else
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT

tar -xzf "$tarball" -C "$root"
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/quintoz.deb"

# A player's PATH has /usr/games in it.
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/games bash -c "$1"
}
check() {
  printf '== %-60s ' "$1"
  if out=$(in_root "$2" 2>&1); then
    echo ok
    [ -z "$out" ] || sed 's/^/   /' <<<"$out" | tail -n 5
  else
    echo FAILED
    tail -n 30 <<<"$out"
    exit 1
  fi
}

in_root 'find / -xdev \( -path /proc -o -path /dev -o -path /tmp \) -prune -o -print' |
  sort >"$work/before"
check "apt install ./quintoz.deb" "apt-get update -q >/dev/null && apt-get install -y -q /tmp/quintoz.deb >/tmp/apt.log 2>&1 || { tail -n 20 /tmp/apt.log; exit 1; }; dpkg -s quintoz | grep -E '^(Status|Version):'"
check "quintoz --version" "quintoz --version"
check "the menu entry" "grep -E '^(Name|Exec|Icon|Categories)=' /usr/share/applications/*quintoz*.desktop"
check "the game asks for the players (under Xvfb)" "apt-get install -y -q --no-install-recommends xvfb xdotool >/dev/null 2>&1 &&
  (Xvfb :5 -nolisten tcp >/dev/null 2>&1 &) && sleep 2 &&
  { DISPLAY=:5 quintoz >/tmp/game.log 2>&1 & echo \$! >/tmp/game.pid; } &&
  for i in \$(seq 50); do DISPLAY=:5 xdotool search --onlyvisible --name '^Number of Players\$' && exit 0; sleep 0.2; done; cat /tmp/game.log; exit 1"
check "apt remove quintoz" "kill \$(cat /tmp/game.pid); apt-get remove -y -q quintoz >/dev/null && ! dpkg -s quintoz 2>/dev/null | grep -q 'install ok installed' && echo removed"
in_root 'find / -xdev \( -path /proc -o -path /dev -o -path /tmp \) -prune -o -print' |
  sort >"$work/after"
left=$(comm -13 "$work/before" "$work/after" | grep -i quintoz || true)
if [ -n "$left" ]; then
  echo "deb-install: $release: left behind after apt remove:" >&2
  echo "$left" >&2
  exit 1
fi
echo "deb-install: $release: installed, started, removed; nothing of it left"
