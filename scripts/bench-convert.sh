#!/usr/bin/env bash
# The logoff conversion benchmark: makes a JPEG (6000 x 4000 unless a size is given), times
# native `djpeg -bmp` on it (best of 3), then runs bench/convert_bench.exe under Wine on the same
# file, which prints the loader's own conversion time, the session-end-to-exit time of a real
# QLLoader, whether it wrote the bitmap and turned the list, its peak memory and the ratios to djpeg.
#
# Usage: scripts/bench-convert.sh [BUILD_FOLDER [WIDTHxHEIGHT]]   (default build/x64; build it first)
#   e.g. scripts/bench-convert.sh build/x86 12000x8000 for a 100-megapixel photo in the 32-bit loader
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/x64}
size=${2:-6000x4000}
case "$build" in *x86*) loader=/usr/lib/wine/wine ;; *) loader=/usr/lib/wine/wine64 ;; esac
command -v djpeg >/dev/null || { echo "bench-convert: djpeg is missing (libjpeg-turbo-progs)" >&2; exit 1; }
[ -f "$build/bin/convert_bench.exe" ] || { echo "bench-convert: build $build first" >&2; exit 1; }

source scripts/wine-env.sh
ql_wine_up || exit 1
work=$(mktemp -d "${TMPDIR:-/tmp}/ql-bench-convert.XXXXXX")
trap 'rm -rf "$work"; ql_wine_down' EXIT

# A photo-like picture: smooth areas with fine noise, at JPEG quality 90.
/usr/bin/convert -size 1500x1000 -seed 7 plasma:fractal -blur 0x1 -resize "$size!" \
  -attenuate 0.15 +noise Gaussian -quality 90 "$work/photo.jpg"
echo "JPEG: $(stat -c %s "$work/photo.jpg") bytes"

best=""
for _ in 1 2 3; do
  start=$(date +%s%N)
  djpeg -bmp -outfile "$work/djpeg.bmp" "$work/photo.jpg"
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
rm -f "$work/djpeg.bmp"
echo "djpeg -bmp (native, best of 3): $best ms"

jpeg=$("$QL_WINE64" winepath -w "$work/photo.jpg" 2>/dev/null | tr -d '\r')
"$loader" "$build/bin/convert_bench.exe" "$jpeg" "$best" | cat
