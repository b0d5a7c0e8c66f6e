#!/usr/bin/env bash
# Builds Quilloria and runs it as Windows would at logon: QLLoader.exe started from its
# application folder C:\Quilloria in the project's Wine prefix. Without a picture list the
# loader opens the configuration program first.
#
# On your X display the programs run until you end them; end the Windows session (which makes
# the loader change the wallpaper) with: scripts/run.sh --end-session
# Without a display, a virtual one is started and a guided tour plays Quilloria's story on it
# with the real programs (tests/e2e/tour): a first logon, pictures added and previewed, OK, the
# session's end and the next logon, saving one numbered screenshot per step in build/screenshots/.
# Once a list exists the loader stays hidden; open the configuration program again with
# scripts/run.sh --config (on your X display).
# Usage: scripts/run.sh [--x86] [--config] [--end-session]
set -euo pipefail
cd "$(dirname "$0")/.."

target=x64
end_session_only=0
program=QLLoader.exe
for argument in "$@"; do
  case "$argument" in
    --x86) target=x86 ;;
    --config) program=Quilloria.exe ;;
    --end-session) end_session_only=1 ;;
    *) echo "usage: scripts/run.sh [--x86] [--config] [--end-session]" >&2; exit 2 ;;
  esac
done

source scripts/wine-env.sh
if [ "$end_session_only" = 1 ]; then
  "$QL_WINE64" wineboot --end-session </dev/null
  exit 0
fi

had_display=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then had_display=1; fi
if [ "$program" = Quilloria.exe ] && [ "$had_display" = 0 ]; then
  echo "run: --config opens the configuration program on your X display, and there is none (DISPLAY)" >&2
  exit 2
fi
bash scripts/build.sh "$target"
ql_wine_up
trap ql_wine_down EXIT

app_folder="$WINEPREFIX/drive_c/Quilloria"
mkdir -p "$app_folder"
cp "build/$target/bin/QLLoader.exe" "build/$target/bin/Quilloria.exe" "$app_folder/"
wine_loader=$QL_WINE64
[ "$target" = x86 ] && wine_loader=$QL_WINE32
echo "run: application folder C:\\Quilloria ($app_folder)"

if [ "$had_display" = 1 ]; then
  echo "run: starting $program on $DISPLAY; end the session with scripts/run.sh --end-session"
  trap - EXIT
  cd "$app_folder" && exec "$wine_loader" "C:\\Quilloria\\$program" </dev/null
fi

echo "run: no X display; a tour of Quilloria on a virtual one ($DISPLAY)"
# The tour starts with a first logon: no picture list, no wallpaper bitmap from an earlier run.
rm -f "$app_folder/Quilloria.dat" "$app_folder/Quilloria.bmp"
shots=build/screenshots
mkdir -p "$shots"
rm -f "$shots"/*.png
shots_windows=$("$QL_WINE64" winepath -w "$(pwd)/$shots" 2>/dev/null | tr -d '\r')
# Into a file, not a pipe: a program the tour started could keep a pipe open after the tour ends.
log=build/tour.log
status=0
"$wine_loader" "build/$target/bin/QuilloriaTour.exe" 'C:\Quilloria' 'C:\users\Public\Pictures\Quilloria samples' \
  "$shots_windows" </dev/null >"$log" 2>&1 || status=1
tr -d '\r' <"$log"
# The tour leaves no list behind, so that the next run starts with a first logon again.
rm -f "$app_folder/Quilloria.dat" "$app_folder/Quilloria.bmp"
echo "run: the tour's screenshots, one per step, are in $(pwd)/$shots/:"
for shot in "$shots"/*.png; do
  if [ -f "$shot" ]; then echo "  $(basename "$shot")"; fi
done
[ "$status" = 0 ] || echo "run: the tour could not be played to its end" >&2
exit "$status"
