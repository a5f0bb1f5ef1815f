#!/bin/sh
# Creates or updates a Wine prefix for Lumatype's programs and tests:
#   wine-prefix.sh <loader>      (WINEPREFIX, WINELOADER and LANG already set)
# wine-run.sh calls it again whenever this file changes, so an existing
# prefix picks up every new step; each step therefore has to be safe to rerun.
set -e
loader=$1
[ -f "$WINEPREFIX/system.reg" ] || "$loader" wineboot -i >/dev/null 2>&1 || true

# Debian's Wine looks for its own fonts (Marlett, Tahoma, ...) in a data
# folder beside its binaries that the packages do not fill, so windows
# without Marlett draw the letters "0 1 r" on their caption buttons. The
# prefix's Fonts folder is always searched: the fonts go there.
fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
cp /usr/share/wine/fonts/* "$fonts/"

# No font of the prefix has Chinese glyphs: the program's "宋体", the dialog
# font "MS Shell Dlg" and the Latin-only system fonts would fall back to
# whatever face Wine finds first, often without the characters. Substitutes
# send the Chinese faces and the dialog fonts to WenQuanYi Zen Hei; font
# links let Tahoma and the other system fonts borrow its Chinese glyphs, as
# they borrow SimSun's on a Chinese Windows.
cjk_family='WenQuanYi Zen Hei Sharp'
cjk_link='wqy-zenhei.ttc,WenQuanYi Zen Hei Sharp'
[ -f /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc ] ||
    echo "wine-prefix.sh: fonts-wqy-zenhei is not installed (make setup); Chinese text will show as boxes" >&2

# A string as regedit's hex(7) (REG_MULTI_SZ) value: UTF-16LE, two NULs.
multi_sz() {
    printf '%s' "$1" | od -An -v -tx1 | tr -s ' \n' ' ' |
        sed -e 's/^ //' -e 's/ $//' -e 's/ /,00,/g' -e 's/$/,00,00,00,00,00/'
}
reg=$WINEPREFIX/drive_c/lumatype-prefix.reg
# regedit reads Unicode only after a byte-order mark (iconv's UTF-16 has
# one); other text it takes as ANSI, which would garble the Chinese names.
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    # Unmanaged windows: Wine draws their frames itself and does not wait for
    # a window manager (Xvfb has none) each time a top-level window appears.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    for face in 宋体 SimSun 新宋体 NSimSun 微软雅黑 'Microsoft YaHei' 'MS Shell Dlg' 'MS Shell Dlg 2'; do
        printf '"%s"="%s"\r\n' "$face" "$cjk_family"
    done
    printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    for face in Tahoma 'Microsoft Sans Serif' 'Lucida Sans Unicode' 'Segoe UI' Arial 'Courier New'; do
        printf '"%s"=hex(7):%s\r\n' "$face" "$(multi_sz "$cjk_link")"
    done
} | iconv -f UTF-8 -t UTF-16 >"$reg"
status=0
"$loader" regedit /S 'C:\lumatype-prefix.reg' </dev/null >/dev/null 2>&1 || status=$?
rm -f "$reg"
[ $status -eq 0 ] || echo "wine-prefix.sh: regedit failed ($status); the prefix's fonts are incomplete" >&2
exit $status
