#!/usr/bin/env bash
# Benchmarks one merge of a 1 GiB sound into a 1.5 GiB program file at sector 10000 against
# dd doing the same work, runs alternating, once on disk and once in memory (/dev/shm).
# Prints each median time, the ratios and Tarvix's peak memory.
#
#   bash bench/merge/run.sh [RUNS [WHERE...]]
#
# RUNS defaults to 5, WHERE to "disk memory". Needs about 4 GiB free in the build folder
# (disk) and in /dev/shm (memory). PAUSE=S waits S seconds before each merge: a virtual
# machine's host may take freed memory back meanwhile, as it would between a user's merges.
set -euo pipefail
cd "$(dirname "$0")/../.."

runs=${1:-5}
sector=10000
sound_mib=1024
program_mib=1536

cmake -S bench/merge -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j 2 >/dev/null
cli=$PWD/build-bench/merge_cli

scratch_dirs=()
cleanup() {
    for d in "${scratch_dirs[@]}"; do
        rm -rf "$d"
    done
}
trap cleanup EXIT

median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.4f", b - a }'; }

# bench LABEL DIR: prints "LABEL tarvix_median dd_median ratio peak_kib"
bench() {
    local label=$1 dir
    dir=$(mktemp -d "$2/tarvix-bench-XXXXXX")
    scratch_dirs+=("$dir")
    head -c "${sound_mib}M" /dev/urandom >"$dir/sound.wav"
    head -c "${program_mib}M" /dev/urandom >"$dir/program-tarvix.txt"
    cp "$dir/program-tarvix.txt" "$dir/program-dd.txt"
    sync

    local tarvix_times=() dd_times=() peak=0 start out
    for ((i = 0; i < runs; i++)); do
        sleep "${PAUSE:-0}"
        start=$(now)
        out=$("$cli" "$dir/program-tarvix.txt" "$dir/sound.wav" "$sector")
        tarvix_times+=("$(since "$start")")
        read -r id kib <<<"$out"
        if [[ $id != 102 ]]; then
            echo "merge failed with $id" >&2
            exit 1
        fi
        ((kib > peak)) && peak=$kib

        start=$(now)
        dd if="$dir/sound.wav" of="$dir/program-dd.txt" bs=1M seek=$((sector * 512)) \
            oflag=seek_bytes conv=notrunc,fsync status=none
        dd_times+=("$(since "$start")")
    done
    cmp -s "$dir/program-tarvix.txt" "$dir/program-dd.txt" || {
        echo "$label: the two program files differ" >&2
        exit 1
    }

    local t d
    t=$(printf '%s\n' "${tarvix_times[@]}" | median)
    d=$(printf '%s\n' "${dd_times[@]}" | median)
    awk -v l="$label" -v t="$t" -v d="$d" -v p="$peak" -v s="$sound_mib" 'BEGIN {
        printf "%-7s tarvix %6.3f s   dd %6.3f s   ratio %5.2f   peak %7.1f MiB (sound + %.1f MiB)\n",
            l, t, d, t / d, p / 1024, p / 1024 - s }'
    rm -rf "$dir"
}

shift || true
where=("$@")
((${#where[@]})) || where=(disk memory)
echo "$runs runs each, alternating; medians:"
for w in "${where[@]}"; do
    case $w in
        disk) bench disk build-bench ;;
        memory) bench memory /dev/shm ;;
        *) echo "unknown place: $w" >&2 && exit 2 ;;
    esac
done
