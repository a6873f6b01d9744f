#!/usr/bin/env bash
# The packaged velmora.exe as a player meets it: unpacked from the zip, in a fresh Wine prefix
# whose registry names the game's folder (written with `wine reg add`, in the 32-bit view as
# the game's installer does), started under Xvfb from its own folder. The main window's "Fast
# system" preset is chosen from the keyboard and confirmed; the game's UnrealTournament.ini
# must then hold the preset's values. Windows are waited for by polling: the first start in a new prefix
# takes about fifteen seconds.
#   velmora-under-wine.sh ZIP WORK_FOLDER PICTURE     PICTURE: the main window, as PNG
set -euo pipefail
trap 'echo "velmora-under-wine.sh: line $LINENO failed: $BASH_COMMAND" >&2' ERR
zip=${1:?usage: velmora-under-wine.sh ZIP WORK_FOLDER PICTURE}
work=${2:?}
picture=${3:?}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

rm -rf "$work"
mkdir -p "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
program=$(find "$work/unpacked" -name velmora.exe | head -n 1)
[ -n "$program" ] || { echo "no velmora.exe in $zip" >&2; exit 1; }

export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
wineboot -i >/dev/null 2>&1
# Xvfb has no window manager: Wine then places, decorates and focuses its windows itself,
# else no window is ever activated and the keys go nowhere.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null </dev/null
wine reg add 'HKLM\Software\Unreal Technology\Installed Apps\UnrealTournament' /v Folder \
    /t REG_SZ /d 'C:\UnrealTournament' /reg:32 /f >/dev/null </dev/null
ini=$WINEPREFIX/drive_c/UnrealTournament/System/UnrealTournament.ini
mkdir -p "$(dirname "$ini")"
cp "$source_dir/tests/data/ut-ini/client-451-windows-d3d.ini" "$ini"
wineserver -w

# An X server of its own on the first free display number (Xvfb writes the number it took).
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(cat "$work/display") bash -c '
    set -euo pipefail
    program=$1 picture=$2
    # xdotool takes a title as a regular expression: this one matches exactly the title.
    exactly() { printf "^%s\$" "$(printf "%s" "$1" | sed "s/[][\\^\$.*+?(){}|]/\\\\&/g")"; }
    # The visible window with this exact title, waited for.
    window() {
        timeout 90 xdotool search --sync --onlyvisible --name "$(exactly "$1")" | head -n 1 ||
            { echo "no window \"$1\" under Wine" >&2; return 1; }
    }
    # Waits until no window with this title is visible.
    gone() {
        for _ in $(seq 240); do
            xdotool search --onlyvisible --name "$(exactly "$1")" >/dev/null || return 0
            sleep 0.25
        done
        echo "window \"$1\" stayed open" >&2
        return 1
    }
    # The splash comes first under the same title and goes within a fraction of a second:
    # the main window is the one still there after two seconds.
    main_window() {
        local previous="" current seen=0
        window Velmora >/dev/null
        for _ in $(seq 240); do
            current=$(xdotool search --onlyvisible --name "^Velmora\$" 2>/dev/null | tr "\n" " ")
            if [ -n "$current" ] && [ "$current" = "$previous" ]; then
                seen=$((seen + 1))
                if [ "$seen" -ge 8 ]; then
                    echo "${current%% *}"
                    return
                fi
            else
                seen=0
            fi
            previous=$current
            sleep 0.25
        done
        echo "no main window after the splash" >&2
        return 1
    }
    # A window as PNG once two pictures in a row are the same: painting has finished.
    settled_picture() {
        local previous="" current
        for _ in $(seq 120); do
            import -window "$1" "$2"
            current=$(convert "$2" rgb:- | sha256sum)
            [ "$current" = "$previous" ] && return 0
            previous=$current
            sleep 0.25
        done
        echo "the window never stopped changing" >&2
        return 1
    }
    # Keys to a window as the focused one, as they would come from the player.
    keys() {
        xdotool windowfocus --sync "$1"
        shift
        xdotool key --delay 150 "$@"
    }
    # A message box answered from the keyboard, then waited for to close.
    answer() {
        local box
        box=$(window "$1")
        keys "$box" "$2"
        gone "$1"
    }

    cd "$(dirname "$program")"
    wine "$program" &
    app=$!
    trap "wineserver -k 2>/dev/null || true" EXIT
    main=$(main_window)
    settled_picture "$main" "$picture"
    # Done has the focus; Tab reaches the presets, Down moves to "Fast system".
    keys "$main" Tab Down space
    answer "Continue update ?" alt+y
    answer Done Return
    # Exit, confirmed: the program ends by itself.
    keys "$main" alt+x
    answer "Exit program" alt+y
    timeout 30 tail --pid="$app" -f /dev/null
    wait "$app"
' velmora-under-wine "$program" "$picture"
wineserver -w

convert "$picture" -strip -define png:exclude-chunks=date,time "$picture"
# "Fast system" sets 16-bit colour and curved surfaces in [WinDrv.WindowsClient]; the fixture
# has 32 and False there.
tr -d '\r' <"$ini" | awk '/^\[/ { in_client = ($0 == "[WinDrv.WindowsClient]") } in_client' \
    >"$work/windows-client.txt"
for line in FullscreenColorBits=16 CurvedSurfaces=True; do
    if ! grep -qx "$line" "$work/windows-client.txt"; then
        echo "velmora.exe under Wine did not write $line to $ini" >&2
        exit 1
    fi
done
echo "velmora.exe under Wine found the game and wrote $ini"
