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

# A client that starts while the previous one's wineserver is shutting down can fail; the
# server is then waited for and the row written again.
add_row() {
    local tries=3
    until "$wine" reg add "HKLM\\$(unescape "$1")" /v "$2" /t "$3" /d "$(unescape "$4")" /f \
        "$5" >/dev/null </dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        "${WINESERVER:-wineserver}" -w
    done
}

while IFS=$'\t' read -r kind name view key value type data _; do
    [ "$kind" = reg ] || continue
    view_flag=/reg:64
    [ "$view" = 32 ] && view_flag=/reg:32
    add_row "$key" "$value" "$type" "$data" "$view_flag" ||
        { echo "reg add failed for row $name" >&2; exit 1; }
done <"$table"
"${WINESERVER:-wineserver}" -w
echo "registry rows written to $WINEPREFIX/system.reg"
