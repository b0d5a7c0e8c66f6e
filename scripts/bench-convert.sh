#!/usr/bin/env bash
# The logoff conversion benchmark: makes a JPEG (6000 x 4000 unless a size is given), times
# native `djpeg -bmp` on it (best of 3), then runs bench/convert_bench.exe under Wine on the same
# file, which prints the loader's own conversion time, the session-end-to-exit time of a real
# QLLoader, whether it wrote the bitmap and turned the list, its peak memory and the ratios to djpeg.
#
# Usage: scripts/bench-convert.sh [BUILD_FOLDER [WIDTHxHEIGHT [ORIENTATION]]]   (default build/x64;
#   build it first). ORIENTATION 2-8 gives the photo that Exif orientation, so the loader turns it.
#   e.g. scripts/bench-convert.sh build/x86 12000x8000 for a 100-megapixel photo in the 32-bit loader
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/x64}
size=${2:-6000x4000}
orientation=${3:-1}
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
if [ "$orientation" != 1 ]; then
  # An Exif block holding only the orientation, right after the start of image.
  value=$(printf '\\x%02x' "$orientation")
  printf "\xff\xd8\xff\xe1\x00\x22Exif\x00\x00MM\x00\x2a\x00\x00\x00\x08\x00\x01\x01\x12\x00\x03\x00\x00\x00\x01\x00${value}\x00\x00\x00\x00\x00\x00" \
    > "$work/turned.jpg"
  tail -c +3 "$work/photo.jpg" >> "$work/turned.jpg" && mv "$work/turned.jpg" "$work/photo.jpg"
  echo "Exif orientation: $orientation"
fi
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
