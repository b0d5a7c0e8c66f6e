#!/usr/bin/env bash
# Runs the failing-writes test with its drives: a small tmpfs as a drive for a full disk, and a
# read-only bind mount of a folder as another drive (with a third drive for the same folder,
# writable, to put the files in). Needs root for the mounts; without them the rows that need a
# drive are skipped, and the test says so.
# Usage: failing_writes.sh BIN_FOLDER WINE_LOADER   (WINEPREFIX from the environment)
set -uo pipefail
bin=$1
wine=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/ql-faults.XXXXXX")
mkdir -p "$work/full" "$work/folder" "$work/read-only"
links=()
cleanup() {
  for link in "${links[@]}"; do rm -f "$link"; done
  umount "$work/read-only" 2>/dev/null
  umount "$work/full" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Maps a free drive letter of the prefix to folder $2 and names it in variable $1.
map_drive() {
  local letter
  for letter in p q r s t u v w x y; do
    [ -e "$WINEPREFIX/dosdevices/$letter:" ] || [ -L "$WINEPREFIX/dosdevices/$letter:" ] && continue
    ln -s "$2" "$WINEPREFIX/dosdevices/$letter:" || return 1
    links+=("$WINEPREFIX/dosdevices/$letter:")
    printf -v "$1" '%s' "${letter^^}:"
    return 0
  done
  return 1
}

export QL_FULL_DRIVE="" QL_READ_ONLY_DRIVE="" QL_WRITABLE_VIEW=""
if mount -t tmpfs -o size=4m tmpfs "$work/full" 2>/dev/null; then
  map_drive QL_FULL_DRIVE "$work/full"
else
  echo "failing_writes: cannot mount a small filesystem here (not root?): the full-disk row is skipped"
fi
if mount --bind "$work/folder" "$work/read-only" 2>/dev/null && mount -o remount,bind,ro "$work/read-only" 2>/dev/null; then
  map_drive QL_READ_ONLY_DRIVE "$work/read-only"
  map_drive QL_WRITABLE_VIEW "$work/folder"
else
  echo "failing_writes: cannot mount a read-only view here (not root?): the read-only-folder row is skipped"
fi
WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" "$bin/quilloria_fault_tests.exe" </dev/null
