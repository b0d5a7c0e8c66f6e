#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, the release archives, the Win32 tests
# and the end-to-end tests under Wine for x64 and x86, and a short run of each fuzzer. Prints the figures of the fault
# harnesses and a last line "N passed, N failed, N skipped". Exits non-zero if any test failed or
# any end-to-end test was skipped (the display and the tools they need are always provided here,
# so a skip means something is broken). On a machine whose kernel cannot run 32-bit programs the
# x86 tests cannot run at all: they are reported and counted as skipped.
set -uo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
bash scripts/build.sh native x64 x86 fuzz || exit 1

source scripts/wine-env.sh
ql_wine_up || exit 1
trap ql_wine_down EXIT
# A clean Wine state: no program, desktop size, test folder or autostart value left by an earlier
# run in this prefix.
ql_wine_restart
ql_clean_test_leftovers

status=0
passed=0 failed=0 skipped=0
figures=()

# The value of attribute $2 in the first <testsuite> element of JUnit file $1.
suite_count() { grep -m1 -A8 '<testsuite' "$1" | sed -n "s/.*$2=\"\([0-9]*\)\".*/\1/p" | head -n 1; }

# Runs the tests of one build folder and adds up what CTest reports.
run_ctest() {
  local dir=$1
  shift
  local junit="$PWD/$dir/Testing/junit.xml"
  echo "== ctest $dir"
  rm -f "$junit"
  ctest --test-dir "$dir" --output-on-failure --output-junit "$junit" "$@" || status=1
  [ -f "$junit" ] || { echo "== $dir: CTest wrote no results"; status=1; failed=$((failed + 1)); return; }
  local tests fails skips disabled
  tests=$(suite_count "$junit" tests) fails=$(suite_count "$junit" failures)
  skips=$(suite_count "$junit" skipped) disabled=$(suite_count "$junit" disabled)
  passed=$((passed + tests - fails - skips - disabled))
  failed=$((failed + fails))
  skipped=$((skipped + skips + disabled))
  # A skipped end-to-end test fails the run.
  local name
  while IFS= read -r name; do
    if ctest --test-dir "$dir" -N -L e2e | grep -qF ": $name"; then
      echo "== $dir: end-to-end test skipped: $name"
      status=1
    fi
  done < <(grep -o '<testcase name="[^"]*"[^>]*status="\(notrun\|disabled\)"' "$junit" | sed 's/<testcase name="\([^"]*\)".*/\1/')
  mapfile -t -O "${#figures[@]}" figures < <(grep -ho '^figure: .*' "$junit" | sed 's/^figure: //')
}

run_ctest build/native

echo "== release archives"
if bash tests/release/release_test.sh; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi

run_ctest build/x64 --timeout 120
ql_wine_restart  # a Wine desktop opened by the x64 tests would otherwise set the x86 tests' screen size
ql_clean_test_leftovers
if ql_runs_32bit; then
  run_ctest build/x86 --timeout 120
else
  # A fact of the machine, not of the change: its tests are counted as skipped, and said so loudly.
  # QL_REQUIRE_X86=1 makes it a failure, for a machine that is meant to run them.
  # Their tests cannot even be listed here (CTest lists them by running them): the layer counts once.
  echo "== build/x86: NOT RUN: this machine cannot run 32-bit programs (the kernel refuses them)"
  skipped=$((skipped + 1))
  [ "${QL_REQUIRE_X86:-0}" = 1 ] && status=1
fi

echo "== fuzz"
fuzz_log=$(mktemp)
bash scripts/fuzz.sh "${QL_FUZZ_SECONDS:-20}" | tee "$fuzz_log"
[ "${PIPESTATUS[0]}" = 0 ] || status=1
passed=$((passed + $(grep -c '^fuzz: .*no findings$' "$fuzz_log")))
failed=$((failed + $(grep -c '^fuzz: .*FINDING' "$fuzz_log")))
rm -f "$fuzz_log"

[ $failed = 0 ] || status=1
echo "== fault harnesses"
printf '  %s\n' "${figures[@]}"
echo "== all tests took $(( $(date +%s) - started )) s; $([ $status = 0 ] && echo passed || echo FAILED)"
echo "$passed passed, $failed failed, $skipped skipped"
exit $status
