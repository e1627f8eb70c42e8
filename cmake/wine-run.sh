#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest and test discovery.
#   wine-run.sh program.exe [args...]
#   wine-run.sh --server [wineserver args...]
# The caller chooses the prefix (WINEPREFIX); scripts/test.sh makes a fresh one per run.
set -euo pipefail
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts when a prefix is first made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
if [[ "${1:-}" == "--server" ]]; then
    shift
    candidates=(wineserver /usr/lib/wine/wineserver)
else
    candidates=(wine64 /usr/lib/wine/wine64 wine)
fi
for program in "${candidates[@]}"; do
    if command -v "$program" >/dev/null 2>&1; then
        exec "$program" "$@"
    fi
done
echo "wine-run.sh: ${candidates[0]} not found (install Debian's wine64 package)" >&2
exit 127
