#!/usr/bin/env bash
# The fullscreen preview on a 3840 x 2160 screen, wider and higher than 16-bit twips reach: the
# end-to-end test of each style runs in a Wine desktop of that size on a virtual display of its
# own, whose pixels the test reads back.
#
# Usage: fullscreen_large_screen_test.sh BIN_FOLDER WINE_LOADER   (WINEPREFIX from the environment)
# Exits 77 (skipped) without Xvfb.
#
# A Wine desktop of another size leaves that size as the screen of every later program of the
# prefix, so the Wine server is restarted at the end on the display the caller had.
set -uo pipefail
bin=$1
wine=$2
size=3840x2160
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
command -v Xvfb >/dev/null && command -v xdpyinfo >/dev/null || { echo "no Xvfb: skipped"; exit 77; }

xvfb=""
caller_display=${DISPLAY:-}
log=$(mktemp "${TMPDIR:-/tmp}/ql-large-screen.XXXXXX")
cleanup() {
  if [ -n "$xvfb" ]; then
    wineserver -k >/dev/null 2>&1
    kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    if [ -n "$caller_display" ]; then
      DISPLAY=$caller_display wineserver -p </dev/null >/dev/null 2>&1
      DISPLAY=$caller_display "$wine" cmd /c exit </dev/null >/dev/null 2>&1
    fi
  fi
  rm -f "$log"
}
trap cleanup EXIT

for n in $(seq 150 199); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=":$n"
  break
done
[ -n "$xvfb" ] || { echo "no free display number"; exit 1; }
for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "the virtual display did not start"; exit 1; }

# The programs the test starts run in the same desktop as the test.
tests=$("$wine" winepath -w "$bin/quilloria_e2e_tests.exe" 2>/dev/null | tr -d '\r')
QL_EXPECT_SCREEN=$size timeout 110 "$wine" explorer "/desktop=ql-large-screen,$size" "$tests" \
  --gtest_filter=FullscreenPreviewTest.EachStyleCoversTheScreenAndAReleaseClosesIt </dev/null >"$log" 2>&1
cat "$log"
grep -q '^\[  PASSED  \] 1 test' "$log"
