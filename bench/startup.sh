#!/usr/bin/env bash
# Start-up as a user sees it: from starting the program to its main window
# mapped on the display, against a bare Qt window from the benchmark program,
# in alternated pairs of fresh processes. Needs a display (Xvfb) and xdotool.
#   bench/startup.sh [pairs] [program folder]   (defaults: 9, build/release)
set -euo pipefail
pairs=${1:-9}
build=${2:-build/release}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cp "$build/plaklabels" "$home/"

mapped_ms() {
    local start end pid
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    pid=$!
    local waited=0
    # Polled every few milliseconds: a tighter loop starves the display of connections.
    until xdotool search --onlyvisible --name '^Plaklabels$' >/dev/null 2>&1; do
        sleep 0.003
        waited=$((waited + 1))
        [ "$waited" -lt 2000 ] || { echo "no window appeared: $*" >&2; exit 1; }
    done
    end=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo $(( (end - start) / 1000000 ))
}

ratios=()
for _ in $(seq "$pairs"); do
    program=$(mapped_ms "$home/plaklabels")
    bare=$(mapped_ms "$build/bench/plaklabels_bench" --bare-window)
    ratios+=("$(awk -v p="$program" -v b="$bare" 'BEGIN { printf "%.2f", p / b }')")
    echo "program $program ms, bare window $bare ms"
done
printf '%s\n' "${ratios[@]}" | sort -n | awk '{ r[NR] = $1 } END { print "median ratio " r[int((NR + 1) / 2)] }'
