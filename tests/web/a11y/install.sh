#!/usr/bin/env bash
# Installs the pinned axe-core of package-lock.json into DEST/node_modules with npm ci (nothing
# runs at install time, no browser is downloaded):
#
#   tests/web/a11y/install.sh DEST
#
# Exits 77, which CTest reads as skipped, when npm is missing or the registry cannot be reached.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dest=$1
if ! command -v npm >/dev/null 2>&1; then
  echo "SKIPPED: npm is not installed (apt-get install npm)"
  exit 77
fi
mkdir -p "$dest"
cp "$here/package.json" "$here/package-lock.json" "$dest/"
cd "$dest"
if [ -f node_modules/axe-core/axe.min.js ] && cmp -s package-lock.json node_modules/.package-lock.json.copy; then
  exit 0
fi
if ! PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund --loglevel=error; then
  echo "SKIPPED: npm ci could not install axe-core"
  exit 77
fi
cp package-lock.json node_modules/.package-lock.json.copy
