#!/usr/bin/env bash
# The packaged velmora.exe as a player meets it: unpacked from the zip, in a fresh Wine prefix
# whose registry names the game's folder (written with `wine reg add`, in the 32-bit view as
# the game's installer does), started under Xvfb from its own folder. The main window's "Fast
# system" preset is chosen from the keyboard and confirmed; the game's UnrealTournament.ini
# must then have changed. Windows are waited for by polling: the first start in a new prefix
# takes about fifteen seconds.
#   velmora-under-wine.sh ZIP WORK_FOLDER PICTURE     PICTURE: the main window, as PNG
set -euo pipefail
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
wine reg add 'HKLM\Software\Unreal Technology\Installed Apps\UnrealTournament' /v Folder \
    /t REG_SZ /d 'C:\UnrealTournament' /reg:32 /f >/dev/null </dev/null
ini=$WINEPREFIX/drive_c/UnrealTournament/System/UnrealTournament.ini
mkdir -p "$(dirname "$ini")"
cp "$source_dir/tests/data/ut-ini/client-451-windows-d3d.ini" "$ini"
cp "$ini" "$work/UnrealTournament.ini.before"
wineserver -w

xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
    set -euo pipefail
    program=$1 picture=$2
    # The visible window with this exact title, waited for.
    window() {
        timeout 90 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 ||
            { echo "no window \"$1\" under Wine" >&2; return 1; }
    }
    # Waits until no window with this title is visible.
    gone() {
        for _ in $(seq 240); do
            xdotool search --onlyvisible --name "^$1\$" >/dev/null || return 0
            sleep 0.25
        done
        echo "window \"$1\" stayed open" >&2
        return 1
    }
    # The splash comes first under the same title: the main window is the one of another
    # size, once no window of the splash'"'"'s size is left.
    size() { xdotool getwindowgeometry --shell "$1" 2>/dev/null | grep -E "^(WIDTH|HEIGHT)=" | tr "\n" " "; }
    main_window() {
        local splash_size main="" others w
        splash_size=$(size "$(window Velmora)")
        for _ in $(seq 240); do
            main="" others=0
            for w in $(xdotool search --onlyvisible --name "^Velmora\$" 2>/dev/null); do
                if [ "$(size "$w")" = "$splash_size" ]; then others=1; else main=$w; fi
            done
            if [ -n "$main" ] && [ "$others" = 0 ]; then
                echo "$main"
                return
            fi
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
        keys "$(window "$1")" "$2"
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
if cmp -s "$work/UnrealTournament.ini.before" "$ini"; then
    echo "velmora.exe under Wine left UnrealTournament.ini unchanged" >&2
    exit 1
fi
echo "velmora.exe under Wine found the game and wrote $ini"
