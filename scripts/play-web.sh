#!/usr/bin/env bash
# Builds the browser version of Quintoz and serves it on this machine only:
#
#   scripts/play-web.sh [PORT]
#
# then open the address it prints. Stop it with Ctrl+C.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8080}
"$root/scripts/build-web.sh"
echo "Quintoz is at http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build-web/site"
