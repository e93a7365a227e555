#!/usr/bin/env bash
# transclient on a copy of the demo project: --form-preview with --entry renders the form preview
# (the 520 x 440 form plus one pixel), --fit-report lists the demo's long Spanish caption, and a
# section without a form text is an error.
set -u
program=$1
demo=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cp "$demo"/Demo.* "$out"/
cp -r "$demo"/DfmData "$out"/
fail() {
  echo "$1"
  cat "$out/stderr.txt" 2>/dev/null
  exit 1
}
export QT_QPA_PLATFORM=offscreen
timeout 60 "$program" "$out/Demo.kxLng" --entry TID_OptionsDlg/btnBrowse.VC --form-preview \
  --screenshot "$out/p.png" >"$out/stdout.txt" 2>"$out/stderr.txt" || fail "--form-preview --screenshot failed"
size=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$out/p.png")
[ "$size" = "521 441" ] || fail "the preview picture is $size, not 521 441"

timeout 60 "$program" "$out/Demo.kxLng" --fit-report "$out/fit.tsv" >"$out/stdout.txt" 2>"$out/stderr.txt" ||
  fail "--fit-report failed"
grep -q $'^TID_OptionsDlg/btnBrowse.VC\t[0-9]*\t80\ttoo wide\tE&xaminar' "$out/fit.tsv" ||
  fail "the long caption is not in the report: $(cat "$out/fit.tsv")"
# Every line has five fields.
awk -F'\t' 'NF != 5 { exit 1 }' "$out/fit.tsv" || fail "a report line without five fields"

# One section only.
timeout 60 "$program" "$out/Demo.kxLng" --fit-report "$out/one.tsv" --section TID_SearchDlg \
  >"$out/stdout.txt" 2>"$out/stderr.txt" || fail "--fit-report --section failed"
if grep -qv '^TID_SearchDlg/' "$out/one.tsv"; then fail "other sections in a one-section report"; fi

# A section without a form text: no preview, an error naming it, exit 1.
if timeout 60 "$program" "$out/Demo.kxLng" --section Messages --form-preview --screenshot "$out/x.png" \
  >"$out/stdout.txt" 2>"$out/stderr.txt"; then
  fail "a preview of a section without a form text succeeded"
fi
grep -q "Messages" "$out/stderr.txt" || fail "the error does not name the section"
echo "ok"
