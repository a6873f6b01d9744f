#!/usr/bin/env bash
# Writes the rows of tests/data/wine-registry.tsv into the Wine prefix named by WINEPREFIX
# with `wine reg add`, then waits for wineserver to end, which writes system.reg to disk.
#   wine-registry-setup.sh WINE TABLE
set -euo pipefail
# Never the user's own prefix: the rows include the game's key.
: "${WINEPREFIX:?name the throw-away Wine prefix of the tests in WINEPREFIX}"
wine=$1
table=$2

unescape() {
    local text=${1//\\\\/\\}
    [ "$text" = "(empty)" ] && text=""
    printf '%s' "$text"
}

while IFS=$'\t' read -r kind name view key value type data _; do
    [ "$kind" = reg ] || continue
    view_flag=/reg:64
    [ "$view" = 32 ] && view_flag=/reg:32
    "$wine" reg add "HKLM\\$(unescape "$key")" /v "$value" /t "$type" \
        /d "$(unescape "$data")" /f "$view_flag" >/dev/null ||
        { echo "reg add failed for row $name" >&2; exit 1; }
done <"$table"
"${WINESERVER:-wineserver}" -w
echo "registry rows written to $WINEPREFIX/system.reg"
