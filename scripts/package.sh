#!/usr/bin/env bash
# Builds the Debian package: build/package/plaklabels_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package
build=build/package-build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DPLAKLABELS_PACKAGE=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target plaklabels package-files
mkdir -p build/package
(cd "$build" && cpack -G DEB >/dev/null)
ls build/package/plaklabels_*_amd64.deb
