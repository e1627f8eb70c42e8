#!/usr/bin/env bash
# Builds Tarvix and the benchmark, and measures the time from process start to the
# main window being shown, beside a bare Qt dialog. Without a display, it runs on a
# private Xvfb with openbox.
#   bash bench/startup/run.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/../.."

if [[ ! -f build/CMakeCache.txt ]]; then
    cmake -S . -B build -DBUILD_TESTING=OFF > /dev/null
fi
cmake --build build -j 2 --target Tarvix > /dev/null
cmake -S bench/startup -B build/bench-startup > /dev/null
cmake --build build/bench-startup -j 2 > /dev/null

started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [[ -n "${private_runtime:-}" ]]; then rm -rf "$private_runtime"; fi
}
trap cleanup EXIT
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
    # Otherwise Qt makes one under /tmp for every run.
    private_runtime=$(mktemp -d)
    export XDG_RUNTIME_DIR=$private_runtime
fi
if [[ -z "${DISPLAY:-}" ]]; then
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
    started+=($!)
    for _ in $(seq 100); do [[ -s "$number_file" ]] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$number_file")"
    rm -f "$number_file"
    if command -v openbox > /dev/null; then
        openbox 2>/dev/null &
        started+=($!)
        sleep 1
    fi
fi

build/bench-startup/startup_bench build/app/Tarvix build/bench-startup/bare_dialog "${1:-20}"
