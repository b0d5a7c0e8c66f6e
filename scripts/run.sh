#!/usr/bin/env bash
# Builds Quilloria and runs it as Windows would at logon: QLLoader.exe started from its
# application folder in the project's Wine prefix (C:\Program Files\Quilloria). Without a
# picture list the loader opens the configuration program first.
#
# On your X display the programs run until you end them; end the Windows session (which makes
# the loader change the wallpaper) with: scripts/run.sh --end-session
# Without a display, a virtual one is started, a screenshot of what the programs show is saved
# to build/screenshots/run.png, and the session is ended.
# Usage: scripts/run.sh [--x86] [--end-session]
set -euo pipefail
cd "$(dirname "$0")/.."

target=x64
end_session_only=0
for argument in "$@"; do
  case "$argument" in
    --x86) target=x86 ;;
    --end-session) end_session_only=1 ;;
    *) echo "usage: scripts/run.sh [--x86] [--end-session]" >&2; exit 2 ;;
  esac
done

source scripts/wine-env.sh
if [ "$end_session_only" = 1 ]; then
  "$QL_WINE64" wineboot --end-session </dev/null
  exit 0
fi

bash scripts/build.sh "$target"
had_display=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then had_display=1; fi
ql_wine_up
trap ql_wine_down EXIT

app_folder="$WINEPREFIX/drive_c/Program Files/Quilloria"
mkdir -p "$app_folder"
cp "build/$target/bin/QLLoader.exe" "build/$target/bin/Quilloria.exe" "$app_folder/"
wine_loader=$QL_WINE64
[ "$target" = x86 ] && wine_loader=$QL_WINE32
echo "run: application folder C:\\Program Files\\Quilloria ($app_folder)"

if [ "$had_display" = 1 ]; then
  echo "run: starting QLLoader.exe on $DISPLAY; end the session with scripts/run.sh --end-session"
  trap - EXIT
  cd "$app_folder" && exec "$wine_loader" 'C:\Program Files\Quilloria\QLLoader.exe' </dev/null
fi

echo "run: no X display; starting a virtual one ($DISPLAY)"
( cd "$app_folder" && "$wine_loader" 'C:\Program Files\Quilloria\QLLoader.exe' </dev/null >/dev/null 2>&1 ) &
loader_pid=$!
sleep 4
mkdir -p build/screenshots
import -display "$DISPLAY" -window root build/screenshots/run.png
echo "run: screenshot of what Quilloria shows: $(pwd)/build/screenshots/run.png"
# A loader still waiting for the configuration program does not answer the session's end (it
# handles no messages while it waits), so the end is given a few seconds before Wine is stopped.
timeout 10 "$QL_WINE64" wineboot --end-session </dev/null >/dev/null 2>&1 || true
wineserver -k >/dev/null 2>&1 || true
wait "$loader_pid" 2>/dev/null || true
