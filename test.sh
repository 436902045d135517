#!/usr/bin/env bash
# Installs what is missing, builds a Debug build with warnings as errors and the
# address and undefined-behaviour sanitizers, runs every test, fuzzes the
# readers for 20 seconds each, and builds and checks the Debian package.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --test
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DPLAKLABELS_STRICT=ON
cmake --build build/test --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
(cd build/test && ctest --output-on-failure --timeout 600)
# Every reader is fuzzed for a while on each run; scripts/fuzz.sh 600 runs longer by hand.
scripts/fuzz.sh 20
# The Debian package, built and tried as a user would.
scripts/package.sh
tests/packaging/check-package.sh build/package/plaklabels_*_amd64.deb
