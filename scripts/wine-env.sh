# Sourced by the other scripts: one throwaway Wine prefix per architecture
# under the build folder and, when asked for, one private Xvfb display at
# 24-bit depth.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# 32-bit Wine needs a kernel that runs i386 Linux programs; some sandboxed
# kernels refuse them ("Exec format error"). The 64-bit build of the same
# sources runs under 64-bit Wine everywhere.
wine32_works() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# wine_select ARCH: exports WINEPREFIX, WINEARCH and WINE for that build.
wine_select() {
  case $1 in
    i686)   export WINEARCH=win32 WINE=/usr/lib/wine/wine ;;
    x86_64) export WINEARCH=win64 WINE=/usr/lib/wine/wine64 ;;
    *) echo "wine_select: unknown architecture $1" >&2; return 2 ;;
  esac
  export WINEPREFIX=$build/wineprefix-$1
}

# Creates the selected prefix once, single-threaded (tests racing to create
# it fail), with the crash dialog off, the form's font names mapped to a CJK
# font, Wine drawing its own window frames (there is no window manager in
# Xvfb), 96 DPI and Wine's own fonts (wine_prefix_fonts, also for older
# prefixes).
wine_prefix_init() {
  if [[ -f $WINEPREFIX/.tarnwick-ready ]]; then wine_prefix_fonts; return; fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$build"
  "$WINE" wineboot --init >/dev/null 2>&1 || true
  wineserver -w
  local reg=$WINEPREFIX/drive_c/tarnwick-setup.reg
  # regedit reads UTF-16 files, which keeps the Chinese face name intact
  # whatever the host locale is.
  printf '%s\r\n' \
    'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' \
    '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"宋体"="WenQuanYi Micro Hei"' \
    '"SimSun"="WenQuanYi Micro Hei"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
    '"Managed"="N"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' \
    '"LogPixels"=dword:00000060' '' \
    | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  "$WINE" regedit /S 'C:\tarnwick-setup.reg' >/dev/null 2>&1 || true
  wineserver -w
  wine_prefix_fonts
  touch "$WINEPREFIX/.tarnwick-ready"
}

# Wine's own fonts in the prefix's Fonts folder, where this Wine looks for
# them: its frames draw the minimise, maximise and close symbols in Marlett
# and show the letters "0 1 r" without it. Checked on every use, so that a
# prefix made before the fonts were installed gets them too.
wine_prefix_fonts() {
  local from=/usr/share/wine/fonts to=$WINEPREFIX/drive_c/windows/Fonts
  [[ -f $to/marlett.ttf ]] && return
  if [[ ! -f $from/marlett.ttf ]]; then
    echo "wine-env: $from/marlett.ttf is missing (Debian package fonts-wine, scripts/setup.sh installs it)" >&2
    return
  fi
  mkdir -p "$to"
  cp -n "$from"/* "$to"/
}

# wine_dpi_prefix DPI: after wine_select and wine_prefix_init, switches
# WINEPREFIX to a copy of the prepared prefix whose programs see DPI dots per
# inch (Wine reads LogPixels when a program starts and does not scale
# programs). 96 keeps the prepared prefix. The copy hard-links drive_c (its
# files are only read) and copies the registry, so it takes a fraction of a
# second instead of a new prefix's ten; it is made again whenever the
# prepared prefix is newer, and appears whole or not at all, so tests that
# ask for it at the same time do not race.
wine_dpi_prefix() {
  local dpi=$1 base=$WINEPREFIX
  [[ $dpi == 96 ]] && return
  local copy=$base-dpi$dpi
  export WINEPREFIX=$copy
  if [[ $copy/.tarnwick-ready -nt $base/.tarnwick-ready ]]; then return; fi
  local hex tmp=$copy.tmp.$$
  hex=$(printf '%08x' "$dpi")
  rm -rf "$tmp"
  mkdir -p "$tmp"
  cp -a "$base"/dosdevices "$base"/*.reg "$base"/.update-timestamp "$tmp"/
  cp -al "$base"/drive_c "$tmp"/
  sed -i "s/^\"LogPixels\"=dword:[0-9a-f]*/\"LogPixels\"=dword:$hex/" "$tmp"/user.reg "$tmp"/system.reg
  touch "$tmp"/.tarnwick-ready
  WINEPREFIX=$copy wineserver -k 2>/dev/null || true
  rm -rf "$copy"
  mv -T "$tmp" "$copy" 2>/dev/null || rm -rf "$tmp"
}

# Ends the Wine servers of the selected prefix and of its DPI copies.
wine_servers_stop() {
  local prefix
  for prefix in "$WINEPREFIX" "$WINEPREFIX"-dpi*; do
    [[ -d $prefix && $prefix != *.tmp.* ]] || continue
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  done
}

# Starts a private Xvfb and exports DISPLAY; stopped by xvfb_stop.
xvfb_start() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [[ -s $fdfile ]] && break
    sleep 0.1
  done
  export DISPLAY=:$(head -1 "$fdfile")
  rm -f "$fdfile"
}

xvfb_stop() {
  wine_servers_stop
  if [[ -n ${XVFB_PID:-} ]]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}
