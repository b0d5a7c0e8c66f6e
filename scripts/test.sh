#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, the release archives, the Win32 tests
# and the end-to-end tests under Wine for x64 and x86, and a short run of each fuzzer. Exits
# non-zero if any fails.
set -uo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
bash scripts/build.sh native x64 x86 fuzz || exit 1

source scripts/wine-env.sh
ql_wine_up || exit 1
trap ql_wine_down EXIT

status=0
run() {
  echo "== $*"
  "$@" || status=1
}
run ctest --test-dir build/native --output-on-failure
run bash tests/release/release_test.sh
run ctest --test-dir build/x64 --output-on-failure --timeout 120
ql_wine_restart
run ctest --test-dir build/x86 --output-on-failure --timeout 120
run bash scripts/fuzz.sh "${QL_FUZZ_SECONDS:-20}"

echo "== all tests took $(( $(date +%s) - started )) s; $([ $status = 0 ] && echo passed || echo FAILED)"
exit $status
