#!/usr/bin/env bash
# Builds everything: the native rules and their tests, and both Windows targets. Installs what is
# missing first. Usage: scripts/build.sh [preset ...] (default: native x64 x86)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native x64 x86)
for preset in "${presets[@]}"; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  # A release per Windows target: dist/<preset> and dist/Quilloria-<version>-<preset>.zip.
  if [ "$preset" = x64 ] || [ "$preset" = x86 ]; then
    bash scripts/release.sh "$preset"
  fi
done
