#!/usr/bin/env bash
# Prepares the Wine prefix in $WINEPREFIX for dg's Windows build: the face
# "ＭＳ 明朝" resolves to IPAMincho (Debian's fonts-ipafont-mincho), so that
# text under Wine is drawn with the same Mincho as natively. Safe to run again.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the Wine prefix to prepare}"
export WINEPREFIX WINEDEBUG="${WINEDEBUG:--all}"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The value name is not ASCII: regedit reads it from a UTF-16LE file with a
# byte order mark, whatever the locale of this shell.
printf '\xff\xfe' >"$tmp/fonts.reg"
iconv -f UTF-8 -t UTF-16LE >>"$tmp/fonts.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ 明朝"="IPAMincho"

REG

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
fi
wine regedit /S "$(winepath -w "$tmp/fonts.reg" 2>/dev/null || echo "$tmp/fonts.reg")" >/dev/null 2>&1
wineserver -w

# Check that the value is there, by its UTF-16 name in the user hive.
if ! grep -q 'IPAMincho' "$WINEPREFIX/user.reg"; then
    echo "wine-setup: the font replacement did not reach $WINEPREFIX/user.reg" >&2
    exit 1
fi
