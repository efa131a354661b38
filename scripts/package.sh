#!/usr/bin/env bash
# Builds the Debian package, the Windows installer and the portable Windows zip into dist/ and
# prints their paths. Installs the Debian packages it needs first, as the other scripts do.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh package

linux=build-package
# The Windows program is the one scripts/build-windows.sh makes by default, in its own folder.
windows=build-win32
mkdir -p dist

cmake -S . -B "$linux" -DCMAKE_BUILD_TYPE=Release -DQUINTOZ_TESTS=OFF
cmake --build "$linux" -j 2
# The program itself says which version it is, so the file names cannot drift from it.
version=$("$linux/hosts/fltk/quintoz" --version | awk '{print $2}')
deb="quintoz_${version}_amd64.deb"
rm -f "dist/$deb"
cpack --config "$linux/CPackConfig.cmake" -B "$linux/cpack"
cp "$linux/cpack/$deb" "dist/$deb"

./scripts/build-windows.sh "$windows"
windows_files=$(packaging/windows/make-packages.sh "$windows/hosts/win32/Quintoz.exe" "$version" dist)

echo
echo "Wrote:"
echo "$PWD/dist/$deb"
echo "$windows_files"
