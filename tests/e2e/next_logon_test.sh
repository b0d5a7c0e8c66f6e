#!/usr/bin/env bash
# The next logon: after the loader has registered a wallpaper at session end, Wine's desktop
# (explorer /desktop=...) paints it. Checks a tiled GIF and a centred JPEG on a screenshot.
#
# Usage: next_logon_test.sh BIN_FOLDER WINE_LOADER   (WINEPREFIX and DISPLAY from the environment)
# Fails without an X display or ImageMagick: scripts/wine-env.sh and scripts/setup.sh provide both.
set -uo pipefail
bin=$1
wine=$2
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 || { echo "no X display (source scripts/wine-env.sh; ql_wine_up)"; exit 1; }
[ -x /usr/bin/convert ] && command -v import >/dev/null || { echo "no ImageMagick (bash scripts/setup.sh)"; exit 1; }

folder=$(mktemp -d "${TMPDIR:-/tmp}/ql-logon.XXXXXX")
loader_pid=""
cleanup() {
  [ -n "$loader_pid" ] && kill "$loader_pid" 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

cp "$bin/QLLoader.exe" "$folder/"
# A 40 x 30 tile, red left half and blue right half; a 100 x 80 green picture.
/usr/bin/convert -size 40x30 xc:red -fill blue -draw "rectangle 20,0 39,29" "$folder/tile.gif"
/usr/bin/convert -size 100x80 xc:'rgb(0,200,0)' -quality 95 "$folder/centre.jpg"
win_folder=$("$wine" winepath -w "$folder" 2>/dev/null | tr -d '\r')\\
printf '"Version 1.1"\r\n2\r\n%d,"%s",1,#FALSE#\r\n%d,"%s",0,#FALSE#\r\n' \
  "${#win_folder}" "${win_folder}tile.gif" "${#win_folder}" "${win_folder}centre.jpg" >"$folder/Quilloria.dat"

reg_value() {
  "$wine" reg query 'HKCU\Control Panel\Desktop' /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v n="$1" '$1 == n { sub(/^[ \t]*[^ \t]+[ \t]+REG_SZ[ \t]*/, ""); print }'
}

# Runs the loader until the session ends. The session end reaches the loader once its hidden main
# window exists.
session_end() {
  "$wine" "$folder/QLLoader.exe" </dev/null >/dev/null 2>&1 &
  loader_pid=$!
  local try
  for try in $(seq 1 60); do
    "$wine" winedbg --command "info wnd" 2>/dev/null | grep -q QuilloriaLoader && break  # the class name, cut short
    sleep 0.5
  done
  "$wine" wineboot --end-session </dev/null >/dev/null 2>&1
  for _ in $(seq 1 100); do kill -0 "$loader_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$loader_pid" 2>/dev/null && fail "the loader still runs after the session end"
  loader_pid=""
}

pixel() { /usr/bin/convert "$folder/$1" -format "%[pixel:p{$2}]" info:; }
# Whether screenshot $1 shows colour $3 (red, blue, green, not-green) at point $2.
pixel_is() {
  local got
  got=$(pixel "$1" "$2")
  case "$3:$got" in
    red:srgb\(25[0-5],[0-9],[0-9]\) | red:red) ;;
    blue:srgb\([0-9],[0-9],25[0-5]\) | blue:blue) ;;
    green:srgb\([0-9]*,1[6-9][0-9]*,[0-9]*\) | green:srgb\([0-9]*,2[0-4][0-9],[0-9]*\)) ;;
    not-green:*) ! [[ "$got" =~ ^srgb\([0-9]+,(1[6-9][0-9]|2[0-4][0-9]),[0-9]+\)$ ]] ;;
    *) false ;;
  esac
}
expect_pixel() {  # screenshot, point, colour name
  pixel_is "$1" "$2" "$3" || fail "$1 at $2: expected $3, got $(pixel "$1" "$2")"
}

# Opens Wine's desktop as at logon and takes a screenshot of it once it shows colour $3 at point
# $2 (the desktop paints the wallpaper a moment after it opens).
logon_screenshot() {
  "$wine" explorer /desktop=shell,800x600 cmd /c "ping -n 6 127.0.0.1 >nul" </dev/null >/dev/null 2>&1 &
  local desktop=$! try
  for try in $(seq 1 50); do
    import -display "$DISPLAY" -window root "$folder/$1"
    pixel_is "$1" "$2" "$3" && break
    sleep 0.1
  done
  wait "$desktop"
}

# First session end: the tiled GIF, converted into Quilloria.bmp.
session_end
[ "$(reg_value Wallpaper)" = "${win_folder}Quilloria.bmp" ] || fail "Wallpaper is '$(reg_value Wallpaper)'"
[ "$(reg_value TileWallpaper)" = 1 ] || fail "TileWallpaper is '$(reg_value TileWallpaper)'"
logon_screenshot tiled.png 405,305 red
expect_pixel tiled.png 5,5 red
expect_pixel tiled.png 25,5 blue
expect_pixel tiled.png 45,5 red
expect_pixel tiled.png 65,35 blue
expect_pixel tiled.png 405,305 red

# Second session end: the centred JPEG.
session_end
[ "$(reg_value TileWallpaper)" = 0 ] || fail "TileWallpaper is '$(reg_value TileWallpaper)'"
[ "$(reg_value WallpaperStyle)" = 0 ] || fail "WallpaperStyle is '$(reg_value WallpaperStyle)'"
logon_screenshot centred.png 400,300 green
expect_pixel centred.png 400,300 green
expect_pixel centred.png 355,265 green
expect_pixel centred.png 445,335 green
expect_pixel centred.png 340,300 not-green
expect_pixel centred.png 5,5 not-green

[ $failures = 0 ] && echo "next logon: passed" || echo "next logon: $failures failures"
exit $((failures > 0))
