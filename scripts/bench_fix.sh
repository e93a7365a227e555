#!/usr/bin/env bash
# CPU time of `lngtool fix` over "[ALL]" of a generated project, each command beside the save it
# includes: (fix - resave) / stats for the translation fixes, (fix --resave-to - resave-entire) / stats
# for the source fixes, and (select --only gui - select) / stats. CPU seconds (user + system), the
# least of three runs (RUNS=N: of N; more give steadier figures), since the machine may be shared.
# Each command's stats and base (resave or resave-entire) are timed again in turn with its own runs,
# so that a stretch of a slower or faster machine moves all four figures of its ratio alike.
# The column "save" is the part of the ratio that writing the changed lines costs (it follows the
# number of entries changed): (fix - fix --dry-run) - (base - stats), over stats; "command" is the
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
once() { # user + system seconds of one run on a fresh copy of the project
  mkdir -p "$work"/run
  cp "$work"/Big.SrcLng "$work"/Big.kxLng "$work"/Big.AutoLng "$work"/run/
  /usr/bin/time -f '%U %S' "$@" 2>&1 >/dev/null | tail -n 1 | awk '{print $1 + $2}'
}
least() { awk -v a="$1" -v b="$2" 'BEGIN {print (b == "" || a < b) ? a : b}'; }
cpu() { # least of $runs runs
  local best=""
  for _ in $(seq "$runs"); do best=$(least "$(once "$@")" "$best"); done
  echo "$best"
}
P=$work/run/Big.kxLng
stats=$(cpu "$lngtool" stats "$P")
resave=$(cpu "$lngtool" resave "$P")
entire=$(cpu "$lngtool" resave-entire "$P" "$work"/run/Whole)
select="" only="" s=""
for _ in $(seq "$runs"); do # in turn, as the commands below
  s=$(least "$(once "$lngtool" stats "$P")" "$s")
  select=$(least "$(once "$lngtool" select "$P")" "$select")
  only=$(least "$(once "$lngtool" select "$P" --only gui)" "$only")
done
printf 'entries %s\nstats %ss  resave %ss  resave-entire %ss  select %ss  select --only gui %ss\n' \
  "$entries" "$stats" "$resave" "$entire" "$select" "$only"
printf 'select --only gui: (only - select) / stats = %s (at most 0.1)\n' \
  "$(awk -v a="$only" -v b="$select" -v s="$s" 'BEGIN {if (s <= 0) s = 0.01; printf "%.3f", (a - b) / s}')"
worst=0
printf '%-24s %8s %8s %8s %8s %8s %8s\n' command stats_s base_s cpu_s ratio save command
for command in set-auto clear-auto clear-all copy-from-source remove-exact set-query remove-query \
  set-warning remove-warnings add-test-char remove-test-char add-numbers capitalize mirror-periods \
  flag-auto fix-invalid fix-html fix-param-case mark-non-ascii mark-api-errors replace \
  remove-trailing-period remove-accelerators; do
  baseRun=("$lngtool" resave "$P")
  extra=()
  case $command in
  replace) extra=(--search a --replace aa) ;;
  remove-trailing-period | remove-accelerators)
    extra=(--resave-to "$work"/run/Fixed)
    baseRun=("$lngtool" resave-entire "$P" "$work"/run/Whole)
    ;;
  esac
  s="" base="" t="" dry=""
  for _ in $(seq "$runs"); do
    s=$(least "$(once "$lngtool" stats "$P")" "$s")
    base=$(least "$(once "${baseRun[@]}")" "$base")
    t=$(least "$(once "$lngtool" fix "$command" "$P" "${extra[@]}")" "$t")
    dry=$(least "$(once "$lngtool" fix "$command" "$P" "${extra[@]}" --dry-run)" "$dry")
  done
  ratio=$(awk -v a="$t" -v b="$base" -v s="$s" 'BEGIN {if (s <= 0) s = 0.01; printf "%.3f", (a - b) / s}')
  save=$(awk -v a="$t" -v d="$dry" -v b="$base" -v s="$s" 'BEGIN {if (s <= 0) s = 0.01; printf "%.3f", ((a - d) - (b - s)) / s}')
  rest=$(awk -v r="$ratio" -v v="$save" 'BEGIN {printf "%.3f", r - v}')
  printf '%-24s %8s %8s %8s %8s %8s %8s\n' "$command" "$s" "$base" "$t" "$ratio" "$save" "$rest"
  worst=$(awk -v a="$ratio" -v b="$worst" 'BEGIN {print (a > b ? a : b)}')
done
echo "worst (fix - base) / stats: $worst (at most 0.5)"
