#!/usr/bin/env bash
# Builds the Debian package from a configured build tree and checks what a user gets: the
# files and their modes, the dependencies, valid desktop and AppStream metadata, a man page
# that renders, nothing for lintian to report, the packaged velmora-ini at work, and the
# launcher preparing its folder.
#   check_package.sh BUILD_DIR [CPACK]
set -euo pipefail

build=$(cd "$1" && pwd)
cpack=${2:-cpack}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

app_id=org.velmora.velmora
icon_sizes=(16 24 32 48 64 128 256)
# path, mode
expected=(
    "usr/bin/velmora -rwxr-xr-x"
    "usr/bin/velmora-ini -rwxr-xr-x"
    "usr/bin/velmora-launch -rwxr-xr-x"
    "usr/share/velmora/Help.html -rw-r--r--"
    "usr/share/applications/$app_id.desktop -rw-r--r--"
    "usr/share/metainfo/$app_id.metainfo.xml -rw-r--r--"
    "usr/share/icons/hicolor/scalable/apps/velmora.svg -rw-r--r--"
    "usr/share/man/man1/velmora.1.gz -rw-r--r--"
    "usr/share/man/man1/velmora-ini.1.gz -rw-r--r--"
    "usr/share/man/man1/velmora-launch.1.gz -rw-r--r--"
    "usr/share/doc/velmora/copyright -rw-r--r--"
    "usr/share/doc/velmora/changelog.gz -rw-r--r--"
    "usr/share/lintian/overrides/velmora -rw-r--r--"
)
for size in "${icon_sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/velmora.png -rw-r--r--")
done

build_package() {
    if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
        cat "$work/cpack.log" >&2
        fail "cpack could not build the package"
        exit 1
    fi
    local debs=("$work"/out/velmora_*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { fail "expected one velmora_*.deb, got: ${debs[*]}"; exit 1; }
    deb=${debs[0]}
}

check_control() {
    local field
    [ "$(dpkg-deb -f "$deb" Package)" = velmora ] || fail "package name is not velmora"
    for field in Version Architecture Maintainer Description Section; do
        [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "control field $field is empty"
    done
    # Found by dpkg-shlibdeps from the binaries, so their absence means shlibdeps did not run.
    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    for field in libc6 libqt6core6 libqt6widgets6; do
        grep -Eq "(^|, )$field( |,|$)" <<<"$depends" || fail "Depends lacks $field: $depends"
    done
}

# Debian's own checker, informational tags included: any tag it reports fails the test.
check_lintian() {
    local out
    out=$(lintian --display-info --no-tag-display-limit "$deb" 2>"$work/lintian.log") ||
        fail "lintian did not run: $(cat "$work/lintian.log")"
    [ -z "$out" ] || fail "lintian: $out"
    [ "$(zcat "$root/usr/share/doc/velmora/changelog.gz" | head -n 1 | cut -d' ' -f2)" = \
        "($(dpkg-deb -f "$deb" Version))" ] || fail "the changelog's first entry is not the package's version"
}

check_contents() {
    local listing row path mode owner
    listing=$(dpkg-deb -c "$deb")
    for row in "${expected[@]}"; do
        path=${row% *}
        mode=${row##* }
        grep -Eq "^$mode root/root .* \./$path\$" <<<"$listing" ||
            fail "package lacks ./$path with mode $mode owned by root"
    done
    # Anything else the install rules pick up (a test, a library) does not belong in the package.
    while read -r mode owner _ _ _ path _; do
        [[ $mode == d* ]] && continue
        [[ " ${expected[*]} " == *" ${path#./} "* ]] || fail "unexpected file in the package: $path"
        [ "$owner" = root/root ] || fail "$path is owned by $owner"
    done <<<"$listing"
}

check_files() {
    local desktop=$root/usr/share/applications/$app_id.desktop
    local metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
    local out size page

    out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
    grep -Eq 'error|warning' <<<"$out" && fail "desktop-file-validate: $out"
    grep -qx 'Exec=velmora-launch' "$desktop" || fail "the menu entry does not start the launcher"
    grep -qx 'Icon=velmora' "$desktop" || fail "the menu entry does not name the velmora icon"

    out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $app_id.desktop"

    for page in velmora velmora-ini; do
        out=$(zcat "$root/usr/share/man/man1/$page.1.gz" | LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 2>&1)
        [ -z "$out" ] || fail "$page(1) renders with warnings: $out"
    done
    [ "$(zcat "$root/usr/share/man/man1/velmora-launch.1.gz")" = ".so man1/velmora.1" ] ||
        fail "velmora-launch(1) does not lead to velmora(1)"

    for size in "${icon_sizes[@]}"; do
        file -b "$root/usr/share/icons/hicolor/${size}x${size}/apps/velmora.png" |
            grep -q "PNG image data, $size x $size," || fail "the ${size}x${size} icon is not a PNG of that size"
    done
    for out in velmora velmora-ini; do
        file -b "$root/usr/bin/$out" | grep -q 'ELF.*, stripped' || fail "$out is not a stripped program"
    done
}

# The packaged tool itself, beyond its being installed.
check_velmora_ini() {
    local ini=$work/tool.ini out
    printf '[Engine.Engine]\r\nGameRenderDevice=SoftDrv.SoftwareRenderDevice\r\n' >"$ini"
    "$root/usr/bin/velmora-ini" set "$ini" WinDrv.WindowsClient FullscreenColorBits 32 ||
        fail "velmora-ini set failed"
    out=$("$root/usr/bin/velmora-ini" get "$ini" WinDrv.WindowsClient FullscreenColorBits) ||
        fail "velmora-ini get failed"
    [ "$out" = 32 ] || fail "velmora-ini get gave '$out' after set, expected 32"
}

# Runs the launcher by name on PATH, with a fresh HOME, a file named relative to this folder.
launch() {
    env -i PATH="$root/usr/bin:/usr/bin:/bin" HOME="$work/home" RECORD="$work/record" "$@" \
        velmora-launch --first "two words" --ini rel.ini
}

check_launcher() {
    local folder=$work/home/.local/share/velmora status
    local help=$root/usr/share/velmora/Help.html
    # A stand-in for the program: it shows where it ran, with which arguments.
    cat >"$root/usr/bin/velmora" <<'FAKE'
#!/bin/sh
printf '%s\n' "$PWD" "$@" >"$RECORD"
exit 7
FAKE
    chmod +x "$root/usr/bin/velmora"
    local ran_in_folder
    ran_in_folder=$(printf '%s\n' "$folder" --first "two words" --ini "$PWD/rel.ini")

    status=0
    launch || status=$?
    [ $status -eq 7 ] || fail "the launcher did not pass on the program's exit status (got $status)"
    [ -d "$folder" ] || fail "the launcher did not create $folder"
    [ "$(cat "$work/record")" = "$ran_in_folder" ] ||
        fail "the program ran as '$(cat "$work/record")', expected in $folder with its arguments, --ini's file in full"
    cmp -s "$folder/Help.html" "$help" || fail "Help.html is not available in $folder"

    echo "<p>new help</p>" >>"$help"
    launch || true
    cmp -s "$folder/Help.html" "$help" || fail "Help.html did not follow a changed installed copy"

    echo "<p>old help</p>" >"$work/old-help.html"
    ln -sfn "$work/old-help.html" "$folder/Help.html"
    launch || true
    cmp -s "$folder/Help.html" "$help" || fail "a link to an older installation's Help.html was not renewed"

    rm "$folder/Help.html"
    echo "<p>my own notes</p>" >"$folder/Help.html"
    launch || true
    grep -q 'my own notes' "$folder/Help.html" || fail "the launcher replaced a Help.html the user wrote"

    launch XDG_DATA_HOME="$work/xdg" || true
    [ "$(head -n 1 "$work/record")" = "$work/xdg/velmora" ] || fail "XDG_DATA_HOME was not followed"
    cmp -s "$work/xdg/velmora/Help.html" "$help" || fail "Help.html is not available under XDG_DATA_HOME"

    launch XDG_DATA_HOME=relative/path || true
    [ "$(head -n 1 "$work/record")" = "$folder" ] || fail "a relative XDG_DATA_HOME was not ignored"

    mkdir "$work/links"
    ln -s "$root/usr/bin/velmora-launch" "$work/links/velmora-launch"
    rm "$work/record"
    env -i PATH="$work/links:/usr/bin:/bin" HOME="$work/linked" RECORD="$work/record" velmora-launch || true
    [ -f "$work/record" ] || fail "a launcher started through a link did not find the program"
    [ "$(readlink "$work/linked/.local/share/velmora/Help.html")" = "$(readlink -f "$help")" ] ||
        fail "a launcher started through a link did not link the installed Help.html by its plain path"

    cp "$root/usr/bin/velmora" "$work/other-velmora"
    launch VELMORA_BIN="$work/other-velmora" RECORD="$work/record-other" || true
    [ -f "$work/record-other" ] || fail "VELMORA_BIN did not choose the program"
}

build_package
check_control
check_contents
root=$work/root
dpkg-deb -x "$deb" "$root"
check_files
check_lintian
check_velmora_ini
check_launcher

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package $(basename "$deb"): all checks passed"
