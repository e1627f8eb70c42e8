#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test:
# the Linux build, then Tarvix.exe cross-built with mingw-w64 and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

# Formatting drift fails the run, like a warning.
mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.hpp' '*.cc')
if ((${#sources[@]})); then
    clang-format --dry-run --Werror "${sources[@]}"
fi

cmake -S . -B build -DTARVIX_WERROR=ON -DBUILD_TESTING=ON
cmake --build build -j "$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$(nproc)"

# Windows: a fresh Wine prefix and a virtual display of our own for this run only.
scratch="$(mktemp -d)"
export WINEPREFIX="$scratch/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
xvfb_pid=""
keeper_pid=""
cleanup() {
    if [[ -n "$keeper_pid" ]]; then kill "$keeper_pid" 2>/dev/null || true; fi
    cmake/wine-run.sh --server -k >/dev/null 2>&1 || true
    cmake/wine-run.sh --server -w >/dev/null 2>&1 || true
    if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s "$scratch/display" ]] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$scratch/display")"

cmake/wine-prefix.sh

cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DTARVIX_WERROR=ON -DBUILD_TESTING=ON
cmake --build build-win -j "$(nproc)"
cmake/wine-run.sh build-win/tests/win/tarvix_desktop_keeper.exe </dev/null >/dev/null 2>&1 &
keeper_pid=$!
ctest --test-dir build-win --output-on-failure -j "$(nproc)"
