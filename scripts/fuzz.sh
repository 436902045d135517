#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 30).
#   scripts/fuzz.sh [SECONDS]
# Fails when a target finds a crash, a leak, undefined behaviour or a broken
# property; the input that did it is left in build/fuzz/findings. Keep such an
# input in fuzz/regressions/TARGET/ once it is mended: it is run every time.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-25}
build=build/fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAKLABELS_FUZZ=ON >/dev/null
targets=(listreader settingsreader roundtrip numberreading delimited vcard spreadsheet)
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}" >/dev/null
mkdir -p "$build/findings"
status=0
for target in "${targets[@]}"; do
    seeds=fuzz/corpus/$target
    [ "$target" = roundtrip ] && seeds=fuzz/corpus/listreader
    work=$build/work/$target
    mkdir -p "$work"
    corpora=("$work" "$seeds")
    [ -d "fuzz/regressions/$target" ] && corpora+=("fuzz/regressions/$target")
    log=$build/$target.log
    # vCard lines fold and unfold: shapes that only grow costly when long need room to show.
    sizes=()
    [ "$target" = vcard ] && sizes=(-max_len=1048576)
    # Sheets longer than one piece of the XML reader.
    [ "$target" = spreadsheet ] && sizes=(-max_len=262144)
    if "$build/fuzz/fuzz_$target" "${corpora[@]}" "${sizes[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$build/findings/$target-" -print_final_stats=1 >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
        echo "fuzz_$target: $runs executions in ${seconds} s, no findings"
    else
        echo "fuzz_$target: FINDING (log $log, input in $build/findings)"
        tail -n 40 "$log"
        status=1
    fi
done
exit $status
