#!/usr/bin/env bash
# Runs every benchmark program of a build tree, then the open/save/filter benchmark of generated
# projects at 100k, 1M and 10M entries beside its floors (VT_BENCH_SIZES overrides the sizes), and
# the batch fixes over 1M entries.
set -euo pipefail
dir=${1:-build/release}
shopt -s nullglob
for b in "$dir"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true
done
# The comparison with Qt's converter needs its translation tools (a benchmark, never a test).
if ! command -v lconvert >/dev/null && [ ! -x /usr/lib/qt6/bin/lconvert ]; then
  apt-get install -y qt6-l10n-tools >/dev/null || echo "qt6-l10n-tools not installed: no lconvert comparison"
fi
python3 "$(dirname "$0")/bench_project.py" "$dir" --sizes "${VT_BENCH_SIZES:-100000,1000000,10000000}"
python3 "$(dirname "$0")/../bench/bench_wordlists.py" "$dir" || echo "bench_wordlists: a command is over its limit"
# The batch fixes of lngtool over 1M entries, each beside a plain open and a save.
bash "$(dirname "$0")/bench_fix.sh" "$dir" 1000000
