#!/bin/sh
# Start-up of Quendra's window against a bare Qt window with one text edit, both under a private
# Xvfb: first paint (ms from the start of the process) and resident memory at that moment, as
# medians of several starts taken in turns, the two in swapped order every other turn. The main
# thread's processor time up to the paint is printed beside them: it varies far less from start to
# start, so it shows small changes.
#
#   startup_bench.sh [starts]     (beside startup_probe and startup_bare, as make bench puts them)
set -eu
runs=${1:-9}
here=$(cd "$(dirname "$0")" && pwd)
probe() { if [ "$1" = quendra ]; then "$here/startup_probe"; else "$here/startup_bare"; fi; }
display=:$(( 90 + $$ % 9 ))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb
# Settings and data of a fresh user, so no earlier run changes what a start reads.
home=$(mktemp -d)
mkdir -m 700 "$home/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/runtime
out=$(mktemp -d)
# One start of each first, left out: the first start of all reads the libraries from disk.
for kind in bare quendra; do
    QUENDRA_LAUNCH_NS=$(date +%s%N) probe $kind >/dev/null
done
i=0
while [ $i -lt "$runs" ]; do
    order="bare quendra"
    if [ $((i % 2)) -eq 1 ]; then order="quendra bare"; fi
    for kind in $order; do
        QUENDRA_LAUNCH_NS=$(date +%s%N) probe $kind >>"$out/$kind"
    done
    i=$((i + 1))
done
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
bare_ms=$(cut -d' ' -f1 "$out/bare" | median)
quendra_ms=$(cut -d' ' -f1 "$out/quendra" | median)
bare_kb=$(cut -d' ' -f2 "$out/bare" | median)
quendra_kb=$(cut -d' ' -f2 "$out/quendra" | median)
bare_cpu=$(cut -d' ' -f3 "$out/bare" | median)
quendra_cpu=$(cut -d' ' -f3 "$out/quendra" | median)
awk -v runs="$runs" -v bm="$bare_ms" -v qm="$quendra_ms" -v bk="$bare_kb" -v qk="$quendra_kb" \
    -v bc="$bare_cpu" -v qc="$quendra_cpu" 'BEGIN {
    printf "%-28s %10s %10s %8s  %s\n", "medians of " runs " starts", "bare", "quendra", "ratio", "goal"
    printf "%-28s %10.1f %10.1f %7.2fx  %s\n", "first paint (ms)", bm, qm, qm / bm, "<= 1.05x"
    printf "%-28s %10.1f %10.1f %7.2fx  %s\n", "resident memory (MiB)", bk / 1024, qk / 1024, qk / bk, "<= 1.15x"
    printf "%-28s %10.1f %10.1f %7.2fx\n", "main thread to paint (ms)", bc, qc, qc / bc
}'
rm -rf "$home" "$out"
