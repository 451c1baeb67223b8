#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time each.
# Usage: scripts/fuzz.sh <fuzz build dir> <seconds per target>
# The committed seeds under fuzz/corpus/<target> are read, never written: new
# inputs go to <build>/fuzz/corpus/<target>, findings to <build>/fuzz/findings/<target>.
set -euo pipefail

build_dir=$1
seconds=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)
suppressions="$source_dir/tests/sanitizers/lsan.supp"
# The file targets write a file per input; memory-backed storage keeps them fast.
if [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

failed=()
for target in "$build_dir"/fuzz/bin/fuzz_*; do
  name=$(basename "$target")
  corpus="$build_dir/fuzz/corpus/$name"
  findings="$build_dir/fuzz/findings/$name"
  mkdir -p "$corpus" "$findings"
  echo "fuzz: $name for ${seconds} s"
  if ! LSAN_OPTIONS="suppressions=$suppressions" \
       UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
       "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
         -print_final_stats=1 -artifact_prefix="$findings/" \
         "$corpus" "$source_dir/fuzz/corpus/$name" \
       > "$build_dir/fuzz/$name.log" 2>&1; then
    failed+=("$name")
    echo "fuzz: $name FAILED; log $build_dir/fuzz/$name.log, inputs in $findings"
  fi
  grep -E '^stat::number_of_executed_runs|^#[0-9]+.*DONE' "$build_dir/fuzz/$name.log" | tail -2 || true
done

if ((${#failed[@]})); then
  echo "fuzz: findings in ${failed[*]}"
  exit 1
fi
echo "fuzz: all targets ran clean"
