#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build for SECONDS each (default 20), one after another, and prints
# the executions and findings of each. Builds nothing: scripts/test.sh (or scripts/build.sh fuzz)
# builds the fuzz preset first. Exits non-zero when a fuzzer finds something or cannot run.
#
# Usage: scripts/fuzz.sh [SECONDS]
# QL_FUZZ_BUILD picks another build folder (default build/fuzz). A fuzzer <name>_fuzz starts from
# tests/fuzz/corpus/<name>/ and uses tests/fuzz/<name>.dict when there is one. The committed
# corpus is only read: each run works on a copy in a temporary folder. Inputs that break a fuzzer
# are kept in <build>/fuzz-findings/<fuzzer>/ for reproducing (run the fuzzer with the file).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

seconds=${1:-20}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi

build=${QL_FUZZ_BUILD:-build/fuzz}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
fuzzers_dir="$build/tests/fuzz"

fuzzers=()
for f in "$fuzzers_dir"/*_fuzz; do
  [ -f "$f" ] && [ -x "$f" ] && fuzzers+=("$f")
done
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "fuzz: no fuzzers in $fuzzers_dir (build the fuzz preset first: scripts/build.sh fuzz)" >&2
  exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/ql-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT

status=0
summary=()
for fuzzer in "${fuzzers[@]}"; do
  name=$(basename "$fuzzer")
  short=${name%_fuzz}
  corpus="$work/$name/corpus"
  artifacts="$work/$name/artifacts"
  mkdir -p "$corpus" "$artifacts"
  seeds="$root/tests/fuzz/corpus/$short"
  if [ -d "$seeds" ]; then
    cp -R "$seeds"/. "$corpus"/
  else
    echo "fuzz: $name: no seed corpus in tests/fuzz/corpus/$short, starting empty" >&2
  fi
  seed_count=$(find "$corpus" -type f | wc -l)
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$artifacts/")
  [ -f "$root/tests/fuzz/$short.dict" ] && options+=(-dict="$root/tests/fuzz/$short.dict")

  echo "== fuzz $name for $seconds s ($seed_count seed inputs)"
  log="$work/$name/log"
  "$fuzzer" "${options[@]}" "$corpus" >"$log" 2>&1
  rc=$?

  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  [ -n "$runs" ] || runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
  [ -n "$runs" ] || runs="?"
  corpus_count=$(find "$corpus" -type f | wc -l)
  findings=$(find "$artifacts" -type f | wc -l)

  if [ "$rc" -ne 0 ] || [ "$findings" -ne 0 ]; then
    status=1
    kept="$build/fuzz-findings/$name"
    mkdir -p "$kept"
    [ "$findings" -ne 0 ] && cp "$artifacts"/* "$kept"/
    cp "$log" "$kept/last-run.log"
    # The sanitizer's or the fuzzer's own account of what went wrong.
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*broken promise|.*runtime error)' "$log" | head -n 5
    echo "fuzz: $name: FINDING (exit $rc, $findings input(s)) after $runs executions; kept in $kept"
    summary+=("$name: $runs executions, $findings finding(s), exit $rc")
  else
    echo "fuzz: $name: $runs executions, corpus $seed_count -> $corpus_count inputs, no findings"
    summary+=("$name: $runs executions, 0 findings")
  fi
done

echo "== fuzz summary ($seconds s each)"
printf '  %s\n' "${summary[@]}"
exit $status
