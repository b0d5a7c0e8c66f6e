#!/usr/bin/env bash
# Installs what building and testing need on Debian 12: mingw-w64 for both targets, Wine with
# 32-bit support, Xvfb, GoogleTest sources, ImageMagick, clang for the fuzzers, djpeg for the
# benchmark, zip for the release archives, and the Japanese locale and font of the test under code
# page 932. Idempotent: packages already present are skipped, so a second run costs a second.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 wine32:i386
  xvfb x11-utils imagemagick fonts-wine fonts-liberation
  clang-14 libclang-rt-14-dev libjpeg-turbo-progs
  zip unzip
  locales fonts-ipafont-gothic
)

if [ "$(id -u)" != 0 ]; then
  echo "setup.sh: run as root (it installs Debian packages)" >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# Wine takes a process's ANSI code page from its locale; for code page 932 the glibc locale
# ja_JP.UTF-8 must exist, or Wine misreads non-ASCII file names.
make_locales() {
  if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    echo "setup: making the locale ja_JP.UTF-8"
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  make_locales
  echo "setup: all build and test packages are installed"
  exit 0
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
# The package tools print notices on standard error that read like failures ("debconf: delaying
# package configuration"): their output is kept and shown only when a step fails.
apt_log=$(mktemp)
quiet_apt() {
  if ! "$@" >"$apt_log" 2>&1; then
    cat "$apt_log" >&2
    echo "setup: failed: $*" >&2
    rm -f "$apt_log"
    exit 1
  fi
}
quiet_apt apt-get update -qq
quiet_apt apt-get install -y -qq --no-install-recommends "${missing[@]}"
rm -f "$apt_log"
make_locales
echo "setup: done"
