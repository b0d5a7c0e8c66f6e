#!/usr/bin/env bash
# The fullscreen preview benchmark: makes a 6000 x 4000 JPEG and runs bench/fullscreen_bench.exe
# under Wine in a 1920 x 1080 virtual desktop on a virtual display of its own. It prints the time
# from the button press to the preview drawn stretched over the screen, against LoadPicture of
# the same file, and the working set while the preview is shown.
#
# Usage: scripts/bench-fullscreen.sh [BUILD_FOLDER] [WIDTHxHEIGHT]   (default build/x64, 1920x1080)
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/x64}
size=${2:-1920x1080}
case "$build" in *x86*) loader=/usr/lib/wine/wine ;; *) loader=/usr/lib/wine/wine64 ;; esac
[ -f "$build/bin/fullscreen_bench.exe" ] || { echo "bench-fullscreen: build $build first" >&2; exit 1; }

source scripts/wine-env.sh
ql_wine_up || exit 1
work=$(mktemp -d "${TMPDIR:-/tmp}/ql-bench-fullscreen.XXXXXX")
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
  ql_wine_down
}
trap cleanup EXIT

# A photo-like picture: smooth areas with fine noise, at JPEG quality 90.
/usr/bin/convert -size 1500x1000 -seed 7 plasma:fractal -blur 0x1 -resize '6000x4000!' \
  -attenuate 0.15 +noise Gaussian -quality 90 "$work/photo.jpg"

# A display of the benchmark's size; Wine's desktop of the same size on it.
for n in $(seq 150 199); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  display=":$n"
  break
done
[ -n "$xvfb" ] || { echo "bench-fullscreen: no free display" >&2; exit 1; }
for _ in $(seq 1 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

jpeg=$("$QL_WINE64" winepath -w "$work/photo.jpg" 2>/dev/null | tr -d '\r')
DISPLAY=$display timeout 300 "$loader" explorer "/desktop=qlbench,$size" \
  "$("$QL_WINE64" winepath -w "$build/bin/fullscreen_bench.exe" 2>/dev/null | tr -d '\r')" "$jpeg" 5 | cat
