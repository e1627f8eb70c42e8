#!/usr/bin/env bash
# Installs what is missing, builds Tarvix and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DBUILD_TESTING=OFF
cmake --build build -j "$(nproc)" --target Tarvix

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "Tarvix needs a graphical desktop, and none is available here (DISPLAY is not set)." >&2
    echo "Run this command from a desktop session, or start a virtual display first:" >&2
    echo "  Xvfb :99 & DISPLAY=:99 bash scripts/run.sh" >&2
    exit 1
fi
exec build/app/Tarvix
