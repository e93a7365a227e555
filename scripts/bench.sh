#!/usr/bin/env bash
# Runs every benchmark program of a build tree.
set -euo pipefail
dir=${1:-build/release}
shopt -s nullglob
for b in "$dir"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true
done
