#!/usr/bin/env bash
# A club's member spreadsheet of 100.000 rows dropped on the window, read up
# to the question: as .xlsx and .ods (written by LibreOffice Calc from the same
# rows) against the same rows as CSV, in alternated fresh processes.
# Needs libreoffice-calc-nogui.
#   bench/spreadsheet.sh [pairs] [program folder]   (defaults: 7, build/release)
set -euo pipefail
pairs=${1:-7}
bench=${2:-build/release}/bench/plaklabels_bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk 'BEGIN {
    print "Naam;Adres;Postcode;Woonplaats;Land"
    for (i = 1; i <= 100000; i++)
        printf "Lid %d van Dijk;Kerkstraat %d;%04d %c%c;Plaats %d;Nederland\n", i, i % 300 + 1, 1000 + i % 9000,
            65 + i % 26, 65 + (i / 26) % 26, i % 500
}' >"$work/leden.csv"
# 59 is the semicolon, 34 the quote, 76 UTF-8.
soffice --headless -env:UserInstallation="file://$work/profile" --infilter=CSV:59,34,76 \
    --convert-to xlsx --outdir "$work" "$work/leden.csv" >/dev/null 2>&1
soffice --headless -env:UserInstallation="file://$work/profile" --infilter=CSV:59,34,76 \
    --convert-to ods --outdir "$work" "$work/leden.csv" >/dev/null 2>&1

run_ms() {
    local start end
    start=$(date +%s%N)
    "$bench" --import "$1" >/dev/null
    end=$(date +%s%N)
    echo $(( (end - start) / 1000000 ))
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

for kind in xlsx ods; do
    : >"$work/$kind.ms"
    : >"$work/csv-$kind.ms"
    for _ in $(seq "$pairs"); do
        run_ms "$work/leden.$kind" >>"$work/$kind.ms"
        run_ms "$work/leden.csv" >>"$work/csv-$kind.ms"
    done
    a=$(median <"$work/$kind.ms")
    b=$(median <"$work/csv-$kind.ms")
    echo "$kind $(du -k "$work/leden.$kind" | cut -f1) kB: $a ms, CSV $(du -k "$work/leden.csv" | cut -f1) kB: $b ms (median of $pairs pairs; $(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }') times)"
done
