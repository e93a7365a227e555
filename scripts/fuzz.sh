#!/usr/bin/env bash
# Runs each libFuzzer target for a while on a copy of its seed corpus.
set -euo pipefail
dir=${1:-build/fuzz}
seconds=${2:-60}
src=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
for f in "$dir"/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  work=$(mktemp -d)
  cp -r "$src/fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  echo "== $name ($seconds s)"
  "$f" -max_total_time="$seconds" -max_len=65536 "$work"
  rm -rf "$work"
done
