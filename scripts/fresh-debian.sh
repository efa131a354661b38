#!/usr/bin/env bash
# Proves that the README's commands work on a clean Debian machine: builds a minimal Debian root
# (debootstrap, variant minbase) in a temporary folder, clones the current commit into it, and
# there runs the README's test command and builds the play command's game; with --ci it runs
# .ci/run instead of the test command; with --play-only it only builds the play command's game,
# then lists the packages that installed and fails if any of them is a test tool. Each step is printed with its time; a failing step shows
# the last lines of its output (the whole of it is kept in /tmp/quintoz-fresh-RELEASE-failed.log)
# and the script exits non-zero. Every step's whole output, and the tests' JUnit report with each
# test's time, are kept in /tmp/quintoz-fresh-RELEASE-logs/, to find where the time went.
# Everything else it mounted or made is unmounted and removed on every way out, Ctrl+C included.
#
# Usage: scripts/fresh-debian.sh RELEASE [--ci | --play-only]     (RELEASE: bookworm or trixie)
#
# Needs root (it uses sudo otherwise) and a network path to the Debian mirror. The minimal root
# is cached as a tarball in ${QUINTOZ_FRESH_CACHE:-~/.cache/quintoz-fresh-debian}; delete it to
# start from debootstrap again. Only committed work is tried: uncommitted changes stay behind.
set -euo pipefail

usage() {
  echo "usage: $0 bookworm|trixie [--ci | --play-only]" >&2
  exit 2
}
[ $# -ge 1 ] || usage
release=$1
shift
case "$release" in bookworm | trixie) ;; *) usage ;; esac
ci=no
play_only=no
for arg in "$@"; do
  case "$arg" in
    --ci) ci=yes ;;
    --play-only) play_only=yes ;;
    *) usage ;;
  esac
done

if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=QUINTOZ_FRESH_CACHE,QUINTOZ_FRESH_MIRROR "$0" "$release" "$@"
fi

repo=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$repo" rev-parse HEAD)
mirror=${QUINTOZ_FRESH_MIRROR:-http://deb.debian.org/debian}
cache=${QUINTOZ_FRESH_CACHE:-$HOME/.cache/quintoz-fresh-debian}
tarball="$cache/$release-minbase.tar.gz"
work=$(mktemp -d /tmp/quintoz-fresh-XXXXXX)
root="$work/root"
logs="$work/logs"
kept_logs="/tmp/quintoz-fresh-$release-logs"
mkdir -p "$root" "$logs"
began=$(date +%s)

# Every process still running inside the root is ended first, or its open files would keep
# the mounts busy; the mounts go next, deepest first, and only when none is left is the folder
# removed, so that a bind mount can never take the host's /dev or /proc with it.
cleanup() {
  local status=$?
  trap - EXIT INT TERM
  set +e
  rm -rf "$kept_logs" && cp -r "$logs" "$kept_logs"
  [ -f "$root/root/quintoz/build/test-results.xml" ] && cp "$root/root/quintoz/build/test-results.xml" "$kept_logs/"
  for proc in /proc/[0-9]*; do
    if [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ]; then
      kill -9 "${proc#/proc/}" 2>/dev/null
    fi
  done
  local mounts
  mounts=$(awk -v r="$root" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r)
  for m in $mounts; do umount "$m" 2>/dev/null || umount -l "$m"; done
  if awk -v r="$root" 'index($2, r) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
    echo "fresh-debian: mounts are left under $root; not removing $work" >&2
  else
    rm -rf --one-file-system "$work"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'echo "fresh-debian: interrupted" >&2; exit 130' INT TERM

# Runs one named step with its output in a log of its own; prints its time, or on failure the
# log's last lines, and stops the script with the step's status.
step() {
  local name=$1
  shift
  local log="$logs/$(echo "$name" | tr -c 'a-zA-Z0-9\n' '-').log"
  local start
  start=$(date +%s)
  printf '== %-52s ' "$name"
  if "$@" >"$log" 2>&1; then
    printf 'ok   %4d s\n' "$(($(date +%s) - start))"
  else
    local status=$?
    printf 'FAILED (status %d) after %d s\n' "$status" "$(($(date +%s) - start))"
    echo "-- the last lines of its output:" >&2
    tail -n 60 "$log" >&2
    # The whole output outlives the temporary folder, for the lines that scrolled past.
    kept="/tmp/quintoz-fresh-$release-failed.log"
    cp "$log" "$kept"
    echo "fresh-debian: $release: the step \"$name\" failed; its whole output is in $kept" >&2
    exit 1
  fi
}

install_debootstrap() {
  command -v debootstrap >/dev/null && return 0
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap
}

make_root() {
  if [ -f "$tarball" ]; then
    tar -xzf "$tarball" -C "$root"
  else
    debootstrap --variant=minbase "$release" "$root" "$mirror"
    # The security and point-release updates make it the machine a new user has today.
    cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $release main
deb $mirror $release-updates main
deb http://security.debian.org/debian-security $release-security main
EOF
    chroot "$root" apt-get clean
    mkdir -p "$cache"
    tar -czf "$tarball.part" -C "$root" . && mv "$tarball.part" "$tarball"
  fi
}

mount_root() {
  mount -t proc proc "$root/proc"
  mount -t sysfs sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount --make-rslave "$root/dev"
  mount -t tmpfs tmpfs "$root/tmp"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  # The root reaches the network the way this machine does, so it trusts the certificate
  # authorities this machine's administrator added (a proxy's, say): Debian's ca-certificates
  # takes them into the system's list when the set-up installs it. Without them the tests'
  # pinned npm package could not be fetched over HTTPS.
  if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
    mkdir -p "$root/usr/local/share/ca-certificates"
    cp -L /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
  fi
}

clone_commit() {
  git clone -q --no-local "$repo" "$root/root/quintoz"
  git -C "$root/root/quintoz" checkout -q --detach "$commit"
}

# What a new user types, as root in the root's own home, with nothing of this machine's
# environment but the terminal's basics.
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/quintoz && $1"
}

if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]; then
  echo "fresh-debian: uncommitted changes are not tried; the commit is $commit"
fi
echo "fresh-debian: Debian $release, commit $(git -C "$repo" rev-parse --short HEAD), in $work"
step "install debootstrap when missing" install_debootstrap
if [ -f "$tarball" ]; then
  step "unpack the cached minimal root" make_root
else
  step "debootstrap a minimal $release root" make_root
fi
step "mount /proc, /sys, /dev and /tmp" mount_root
step "clone the commit into the root" clone_commit

# The packages installed in the root, one name a line, sorted.
installed_packages() {
  chroot "$root" dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" {print $2}' |
    sort
}

# The play command alone: what it installed, and none of the test tools among it.
play_installs_no_test_tool() {
  installed_packages >"$work/before"
  in_root "./scripts/play.sh --build-only"
  installed_packages >"$work/after"
  comm -13 "$work/before" "$work/after" >"$work/added"
  local tools
  tools=$(grep -xE 'googletest|libgtest-dev|libbenchmark-dev|xvfb|xdotool|imagemagick|strace|lintian|appstream|fonts-(dejavu-core|wqy-microhei|symbola|lohit-deva)' \
    "$work/added" || true)
  if [ -n "$tools" ]; then
    echo "the play command installed test tools:" $tools
    return 1
  fi
}

if [ "$play_only" = yes ]; then
  step "README: ./scripts/play.sh (build only), no test tool" play_installs_no_test_tool
  echo "fresh-debian: ./scripts/play.sh --build-only installed $(wc -l <"$work/added") packages:"
  tr '\n' ' ' <"$work/added" | fold -s -w 100
  echo
  echo "fresh-debian: Debian $release passed in $(($(date +%s) - began)) s"
  exit 0
fi
if [ "$ci" = yes ]; then
  step "CI: bash .ci/run" in_root "CI=true bash .ci/run"
else
  step "README: ./scripts/test.sh" in_root ./scripts/test.sh
fi
step "README: ./scripts/play.sh (build only)" in_root "./scripts/play.sh --build-only"
echo "fresh-debian: Debian $release passed in $(($(date +%s) - began)) s"
