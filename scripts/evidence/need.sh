#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are not installed yet, as
# scripts/setup-debian.sh does for the build; the evidence scripts call it for their own tools.
set -euo pipefail
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing Debian packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
# Another apt run may hold the lock for a while; wait for it rather than fail.
$sudo apt-get -o DPkg::Lock::Timeout=600 update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -q \
  --no-install-recommends "${missing[@]}"
