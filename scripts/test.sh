#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test.
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
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
