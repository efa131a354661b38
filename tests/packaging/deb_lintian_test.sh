#!/bin/bash
# Runs lintian on the Debian package: warnings are shown, errors fail the test.
#
#   deb_lintian_test.sh DEB VERSION WORK_DIR
set -u
deb=$1
if ! command -v lintian >/dev/null 2>&1; then
  echo "SKIPPED: lintian is not installed (scripts/setup-debian.sh installs it)"
  exit 77
fi
lintian --fail-on error --display-info "$deb"
status=$?
[ "$status" = 0 ] || { echo "FAIL: lintian reports errors (status $status)"; exit 1; }
echo "lintian reports no errors"
