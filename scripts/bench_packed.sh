#!/usr/bin/env bash
# Times lngtool's packed-project commands on a generated project against the zip tools doing the same
# work: pack minus resave vs "zip -q -6" of the two files, unpack vs "unzip -oq", and the peak memory of
# pack vs stats. Usage: scripts/bench_packed.sh [BUILD_DIR] [ENTRIES]
set -euo pipefail
dir=${1:-build/release}
entries=${2:-1000000}
lngtool=$dir/app/lngtool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$dir"/bench/make_project "$work" Big "$entries" >/dev/null

seconds() { # best of three wall-clock runs of the command
  local best=""
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    t1=$(date +%s.%N)
    best=$(python3 -c "import sys; a=float(sys.argv[1]); b='$best'; print(a if not b else min(a, float(b)))" \
      "$(python3 -c "print($t1 - $t0)")")
  done
  echo "$best"
}
peak_kb() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1; }

cp "$work"/Big.SrcLng "$work"/R.SrcLng
cp "$work"/Big.kxLng "$work"/R.kxLng
resave=$(seconds "$lngtool" resave "$work"/R.kxLng)
pack=$(seconds "$lngtool" pack "$work"/Big.kxLng "$work"/Big.LngPrj)
zip6=$(seconds sh -c "rm -f '$work/z.zip'; zip -q -6 -j '$work/z.zip' '$work/Big.SrcLng' '$work/Big.kxLng'")
mkdir -p "$work"/u
unpack=$(seconds "$lngtool" unpack "$work"/Big.LngPrj "$work"/u/T.kxLng)
unzip=$(seconds unzip -oq "$work"/Big.LngPrj -d "$work"/u)
pack_kb=$(peak_kb "$lngtool" pack "$work"/Big.kxLng "$work"/Big.LngPrj)
stats_kb=$(peak_kb "$lngtool" stats "$work"/Big.kxLng)
# Packed, unpacked and packed again: the members must be the same bytes.
mkdir -p "$work"/again
"$lngtool" unpack "$work"/Big.LngPrj "$work"/again/Big.kxLng >/dev/null 2>&1
"$lngtool" pack "$work"/again/Big.kxLng "$work"/again/Big.LngPrj
for m in Big.SrcLng Big.kxLng; do
  cmp <(unzip -p "$work"/Big.LngPrj "$m") <(unzip -p "$work"/again/Big.LngPrj "$m") >/dev/null ||
    { echo "round trip changed $m" >&2; exit 1; }
done
echo "round trip: members byte-identical"
python3 - "$entries" "$(stat -c %s "$work"/Big.SrcLng)" "$(stat -c %s "$work"/Big.kxLng)" "$pack" "$resave" \
  "$zip6" "$unpack" "$unzip" "$pack_kb" "$stats_kb" <<'PY'
import sys
n, src, kx, pack, resave, zip6, unpack, unzip, pack_kb, stats_kb = sys.argv[1:]
pack, resave, zip6, unpack, unzip = map(float, (pack, resave, zip6, unpack, unzip))
print(f"entries {n}; files {int(src) / 1e6:.1f} MB + {int(kx) / 1e6:.1f} MB")
print(f"pack {pack:.2f} s - resave {resave:.2f} s = {pack - resave:.2f} s; zip -q -6 {zip6:.2f} s; "
      f"ratio {(pack - resave) / zip6:.2f} (limit 1.2)")
print(f"unpack {unpack:.2f} s; unzip -oq {unzip:.2f} s; ratio {unpack / unzip:.2f} (limit 1.5)")
print(f"peak memory: pack {int(pack_kb) / 1024:.0f} MB; stats {int(stats_kb) / 1024:.0f} MB; "
      f"ratio {int(pack_kb) / int(stats_kb):.2f} (limit 1.5)")
PY
