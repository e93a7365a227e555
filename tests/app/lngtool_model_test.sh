#!/usr/bin/env bash
# lngtool's project commands against a copy of the demo project: the counts a reader of the files gets,
# the main list pipeline, a resave that keeps the normal form, merge-hints, and the failure contract.
source "$(dirname "${BASH_SOURCE[0]}")/lngtool_test_lib.sh"
copy_demo "$work"

expected_stats='entries: 767
visible: 273
hidden: 494
translated: 180
auto: 11
untranslated: 82
query: 5
warning: 4
needs-work: 5
sections: 11
destlng: es'
for f in Demo.kxLng Demo.SrcLng Demo.AutoLng; do
  check "stats via $f" "$expected_stats" "$("$lngtool" stats "$work/$f")"
done

check "query filter summary" "[ALL] ,  5  ,  100.0%" \
  "$("$lngtool" select "$work/Demo.kxLng" --status query | tail -n 1)"
check "section summary" "TID_SearchDlg ,  22  ,  77.3%" \
  "$("$lngtool" select "$work/Demo.kxLng" --section TID_SearchDlg | tail -n 1)"
check "empty selection" "TID_SearchDlg ,  (Empty)" \
  "$("$lngtool" select "$work/Demo.kxLng" --section TID_SearchDlg --text zzzz-nothing | tail -n 1)"
# Rows are key TAB original TAB translation; the sort by original descending puts "Whole" words late.
rows=$("$lngtool" select "$work/Demo.kxLng" --section TID_SearchDlg --sort original:desc | head -n -1)
first=$(printf '%s\n' "$rows" | head -n 1 | cut -f2)
last=$(printf '%s\n' "$rows" | tail -n 1 | cut -f2)
[[ "$first" > "$last" ]] && check "descending sort" ok ok || check "descending sort" "'$first' > '$last'" no

"$lngtool" resave "$work/Demo.kxLng" >/dev/null
check "resave keeps the normal form" same "$(cmp -s "$work/Demo.kxLng" "$examples/Demo.kxLng" && echo same)"
check "open made the backup copy" yes "$([ -f "$work/Demo.kxLng.~bu" ] && echo yes)"

# merge-hints joins hbImport's short and full hint (a TH/TF pair of the source) into one THF value
# in the translation file, which held the two halves apart before.
joined='hbImport.THF=Importar archivos|Agrega archivos y carpetas a la colección actual.\nTambién puede arrastrar y soltar desde el escritorio.'
check "no joined hint before merge-hints" 0 "$(grep -cF "$joined" "$work/Demo.kxLng")"
check "merge-hints output" $'merged: 2\nentries: 765' "$("$lngtool" merge-hints "$work/Demo.kxLng")"
check "merge-hints saved the joined hint" 1 "$(grep -cF "$joined" "$work/Demo.kxLng")"
# The source file still holds the TH/TF keys, so a reopened project shows them again.
check "merge-hints kept the project readable" "$expected_stats" "$("$lngtool" stats "$work/Demo.kxLng")"

# Commands that only read leave every file as it was: no backup copy, byte-order marks stay.
ro="$work/ro"
mkdir "$ro"
for f in Demo.SrcLng Demo.kxLng Demo.AutoLng; do
  { printf '\xEF\xBB\xBF'; cat "$examples/$f"; } >"$ro/$f"
done
sums_before=$(cd "$ro" && md5sum Demo.*)
check "stats with byte-order marks" "$expected_stats" "$("$lngtool" stats "$ro/Demo.kxLng")"
check "select with byte-order marks" "[ALL] ,  5  ,  100.0%" \
  "$("$lngtool" select "$ro/Demo.SrcLng" --status query | tail -n 1)"
"$lngtool" similar "$ro/Demo.AutoLng" "TID_SearchDlg/TID_SearchDlg.VC" >/dev/null
check "similar exit code" 0 "$?"
check "read-only commands left the files" "$sums_before" "$(cd "$ro" && md5sum *)"

out=$("$lngtool" stats "$work/Missing.kxLng" 2>&1)
rc=$?
check "missing project exit code" 1 "$rc"
check "missing project message" "Unable to Open File $work/Missing.kxLng (File not found: $work/Missing.kxLng)" "$out"

finish
