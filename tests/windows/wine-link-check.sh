#!/usr/bin/env bash
# A write of the Windows build under Wine, through a Unix symbolic link and to a file named in
# another letter case: the link's target takes the value and the link stays a link; the file
# keeps its own name.
#   wine-link-check.sh WINE VELMORA_INI_EXE
set -euo pipefail
wine=$1
tool=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/real"
printf '[s]\r\nk=1\r\n' >"$dir/real/UT.ini"
cp "$dir/real/UT.ini" "$dir/Mixed.ini"
ln -s real/UT.ini "$dir/link.ini"
windows="Z:${dir//\//\\}"
"$wine" "$tool" set "$windows\\link.ini" s k 2
"$wine" "$tool" set "$windows\\mixed.INI" s k 2
status=0
[ -L "$dir/link.ini" ] || { echo "the link was replaced by a file"; status=1; }
for file in real/UT.ini Mixed.ini; do
    cmp -s <(printf '[s]\r\nk=2\r\n') "$dir/$file" || { echo "$file does not hold k=2"; status=1; }
done
[ ! -e "$dir/mixed.INI" ] || { echo "Mixed.ini was renamed"; status=1; }
exit $status
