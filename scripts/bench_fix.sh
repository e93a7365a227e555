#!/usr/bin/env bash
# CPU time of `lngtool fix` over "[ALL]" of a generated project, each command beside the save it
# includes: (fix - resave) / stats for the translation fixes, (fix --resave-to - resave-entire) / stats
# for the source fixes, and (select --only gui - select) / stats. CPU seconds (user + system), the
# least of three runs (RUNS=N: of N; more give steadier figures), since the machine may be shared.
# The column "save" is the part of the ratio that writing the changed lines costs (it follows the
# number of entries changed): (fix - fix --dry-run) - (resave - stats), over stats; "command" is the
# rest.
# Usage: [RUNS=N] scripts/bench_fix.sh [BUILD_DIR] [ENTRIES]
set -euo pipefail
dir=${1:-build/release}
entries=${2:-1000000}
lngtool=$dir/app/lngtool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$dir"/bench/make_project "$work" Big "$entries" 1 --auto >/dev/null

runs=${RUNS:-3}
cpu() { # least user + system seconds of $runs runs; each run on a fresh copy of the project
  local best=""
  for _ in $(seq "$runs"); do
    cp "$work"/Big.SrcLng "$work"/Big.kxLng "$work"/Big.AutoLng "$work"/run/ 2>/dev/null ||
      { mkdir -p "$work"/run && cp "$work"/Big.SrcLng "$work"/Big.kxLng "$work"/Big.AutoLng "$work"/run/; }
    local t
    t=$(/usr/bin/time -f '%U %S' "$@" 2>&1 >/dev/null | tail -n 1 | awk '{print $1 + $2}')
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN {exit !(a < b)}'; then best=$t; fi
  done
  echo "$best"
}
P=$work/run/Big.kxLng
stats=$(cpu "$lngtool" stats "$P")
resave=$(cpu "$lngtool" resave "$P")
entire=$(cpu "$lngtool" resave-entire "$P" "$work"/run/Whole)
select=$(cpu "$lngtool" select "$P")
only=$(cpu "$lngtool" select "$P" --only gui)
printf 'entries %s\nstats %ss  resave %ss  resave-entire %ss  select %ss  select --only gui %ss\n' \
  "$entries" "$stats" "$resave" "$entire" "$select" "$only"
printf 'select --only gui: (only - select) / stats = %s (at most 0.1)\n' \
  "$(awk -v a="$only" -v b="$select" -v s="$stats" 'BEGIN {printf "%.3f", (a - b) / s}')"
worst=0
printf '%-24s %8s %8s %8s %8s\n' command cpu_s ratio save command
for command in set-auto clear-auto clear-all copy-from-source remove-exact set-query remove-query \
  set-warning remove-warnings add-test-char remove-test-char add-numbers capitalize mirror-periods \
  flag-auto fix-invalid fix-html fix-param-case mark-non-ascii mark-api-errors replace \
  remove-trailing-period remove-accelerators; do
  base=$resave
  extra=()
  case $command in
  replace) extra=(--search a --replace aa) ;;
  remove-trailing-period | remove-accelerators) extra=(--resave-to "$work"/run/Fixed) base=$entire ;;
  esac
  t=$(cpu "$lngtool" fix "$command" "$P" "${extra[@]}")
  dry=$(cpu "$lngtool" fix "$command" "$P" "${extra[@]}" --dry-run)
  ratio=$(awk -v a="$t" -v b="$base" -v s="$stats" 'BEGIN {printf "%.3f", (a - b) / s}')
  save=$(awk -v a="$t" -v d="$dry" -v b="$base" -v s="$stats" 'BEGIN {printf "%.3f", ((a - d) - (b - s)) / s}')
  rest=$(awk -v r="$ratio" -v v="$save" 'BEGIN {printf "%.3f", r - v}')
  printf '%-24s %8s %8s %8s %8s\n' "$command" "$t" "$ratio" "$save" "$rest"
  worst=$(awk -v a="$ratio" -v b="$worst" 'BEGIN {print (a > b ? a : b)}')
done
echo "worst (fix - save) / stats: $worst (at most 0.5)"
