#!/usr/bin/env bash
# Makes the release of one Windows target from its build: the folder dist/<target> with both
# programs and the read-me for Windows users, and dist/Quilloria-<version>-<target>.zip holding
# the same files in a folder "Quilloria", ready to be unpacked where the user keeps it. The
# version is the one of src/common/version.h. scripts/build.sh calls this after each Windows build.
#
# Usage: scripts/release.sh x64|x86
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-}
case "$target" in
  x64) build_name="64-bit, for 64-bit Windows" ;;
  x86) build_name="32-bit, for 32-bit and 64-bit Windows" ;;
  *) echo "usage: scripts/release.sh x64|x86" >&2; exit 2 ;;
esac
version=$(sed -n 's/^#define QL_VERSION_TEXT "\([0-9.]*\)".*/\1/p' src/common/version.h)
[ -n "$version" ] || { echo "release: no QL_VERSION_TEXT in src/common/version.h" >&2; exit 1; }

folder=dist/$target
rm -rf "$folder"
mkdir -p "$folder"
cp "build/$target/bin/QLLoader.exe" "build/$target/bin/Quilloria.exe" "$folder/"
# Notepad users expect CR LF line ends.
sed -e "s/@VERSION@/$version/" -e "s/@BUILD@/$build_name/" -e 's/\r$//' -e 's/$/\r/' \
  res/ReadMe.txt >"$folder/ReadMe.txt"

zip_name=Quilloria-$version-$target.zip
staging=$(mktemp -d "${TMPDIR:-/tmp}/ql-release.XXXXXX")
trap 'rm -rf "$staging"' EXIT
cp -R "$folder" "$staging/Quilloria"
# Files only (-D), without Unix extra fields (-X); an older zip of this target goes first, so
# that the archive never keeps a file that is no longer part of the release.
rm -f dist/Quilloria-*-"$target".zip
( cd "$staging" && zip -q -X -D -r "$zip_name" Quilloria )
mv "$staging/$zip_name" dist/
echo "release: dist/$zip_name"
