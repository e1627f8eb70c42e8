#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest and test discovery.
# The caller chooses the prefix (WINEPREFIX); scripts/test.sh makes a fresh one per run.
set -euo pipefail
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts when a prefix is first made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
for loader in wine64 /usr/lib/wine/wine64 wine; do
    if command -v "$loader" >/dev/null 2>&1; then
        exec "$loader" "$@"
    fi
done
echo "wine-run.sh: no Wine loader found (install Debian's wine64 package)" >&2
exit 127
