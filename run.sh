#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts Plaklabels.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --parallel "$(nproc)" --target plaklabels plaklabels_bench
# The program keeps its lists in Data beside itself; a first run gets one example list.
mkdir -p build/release/Data
[ -e build/release/Data/voorbeeld.lst ] || cp src/resources/voorbeeld.lst build/release/Data/
exec build/release/plaklabels
