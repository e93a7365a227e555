#!/usr/bin/env bash
# lngtool fix on copies of the demo project and of a tiny project: which keys each command lists,
# what it writes, dry runs that write nothing, source fixes through --resave-to, and select --only.
source "$(dirname "${BASH_SOURCE[0]}")/lngtool_test_lib.sh"
fresh() { # a new copy of the demo in $work/$1
  rm -rf "${work:?}/$1" && mkdir "$work/$1" && copy_demo "$work/$1"
}
sums() { (cd "$1" && md5sum ./* | sort); }
stat_of() { "$lngtool" stats "$1" | sed -n "s/^$2: //p"; }

# --- add-numbers over one section: only its translated keys, numbered once ---------------------------
fresh numbers
P=$work/numbers/Demo.kxLng
before=$("$lngtool" select "$P" --section TID_SearchDlg | head -n -1)
translated_keys=$(printf '%s\n' "$before" | awk -F'\t' 'NF >= 3 && $NF != "" {print $1}')
out=$("$lngtool" fix add-numbers "$P" --section TID_SearchDlg)
check "add-numbers lists the section's translated keys" "$translated_keys" "$(printf '%s\n' "$out" | head -n -1)"
check "add-numbers count" "changed: $(printf '%s\n' "$translated_keys" | wc -l)" "$(printf '%s\n' "$out" | tail -n 1)"
after=$("$lngtool" select "$P" --section TID_SearchDlg | head -n -1)
bad=0
while IFS=$'\t' read -r key _; do
  row=$(printf '%s\n' "$after" | grep -F -- "$key"$'\t' | head -n 1)
  old=$(printf '%s\n' "$before" | grep -F -- "$key"$'\t' | head -n 1 | cut -f3-)
  # The translation column: load index, "_", the old text.
  [[ "$row" =~ $'\t'[0-9]+_"$old"$ ]] || { bad=$((bad + 1)); echo "not numbered: $row"; }
done <<<"$(printf '%s\n' "$out" | head -n -1)"
check "select shows index_old text" 0 "$bad"
check "other sections untouched" "$("$lngtool" select "$examples/Demo.kxLng" --section TID_MainMenu0)" \
  "$("$lngtool" select "$P" --section TID_MainMenu0)"
check "second add-numbers changes nothing" "changed: 0" "$("$lngtool" fix add-numbers "$P" --section TID_SearchDlg)"

# --- remove-exact: the visible entries translated as their source lose their keys, flags included -----
fresh exact
P=$work/exact/Demo.kxLng
exact=$("$lngtool" select "$P" | head -n -1 | awk -F'\t' 'NF == 3 && $2 == $3 && $3 != "" {print $1}' | sort)
done_before=$(($(stat_of "$P" translated) + $(stat_of "$P" auto)))
out=$("$lngtool" fix remove-exact "$P")
check "remove-exact lists the exact copies" "$exact" "$(printf '%s\n' "$out" | head -n -1 | sort)"
n=$(printf '%s\n' "$exact" | grep -c .)
check "remove-exact lowers translated plus auto" $((done_before - n)) \
  $(($(stat_of "$P" translated) + $(stat_of "$P" auto)))
left=0
for key in $exact; do grep -aq "^$key=" "$P" && left=$((left + 1)); done
check "removed keys left the translation file" 0 "$left"

# --- replace a by aa ends and counts the translations that held "a" ---------------------------------
fresh replace
P=$work/replace/Demo.kxLng
rows=$("$lngtool" select "$P" | head -n -1)
out=$(timeout 20 "$lngtool" fix replace "$P" --search a --replace aa)
check "replace ends" 0 $?
listed=$(printf '%s\n' "$out" | head -n -1 | sort)
check "replace count matches its list" "$(printf '%s\n' "$listed" | grep -c .) items replaced" \
  "$(printf '%s\n' "$out" | tail -n 1)"
# Rows without tabs inside their texts show which translations held "a".
simple=$(printf '%s\n' "$rows" | awk -F'\t' 'NF == 3 {print $1}' | sort)
held=$(printf '%s\n' "$rows" | awk -F'\t' 'NF == 3 && index($3, "a") {print $1}' | sort)
check "replace listed the translations that held a" "$held" "$(comm -12 <(printf '%s\n' "$simple") <(printf '%s\n' "$listed"))"
doubled=$("$lngtool" select "$P" | head -n -1 | awk -F'\t' 'NF == 3 && index($3, "a") && !index($3, "aa")' | wc -l)
check "every a became aa" 0 "$doubled"

# --- dry runs write nothing and list what the real run changes -------------------------------------
fresh dry
P=$work/dry/Demo.kxLng
for command in set-query fix-html copy-from-source mark-non-ascii capitalize mirror-periods; do
  sums_before=$(sums "$work/dry")
  dry=$("$lngtool" fix $command "$P" --dry-run)
  check "$command --dry-run writes nothing" "$sums_before" "$(sums "$work/dry")"
  fresh real
  check "$command --dry-run lists the real run" "$dry" "$("$lngtool" fix $command "$work/real/Demo.kxLng")"
done
caps=$("$lngtool" fix capitalize "$examples/Demo.kxLng" --dry-run | tail -n 1)
check "capitalize finds lower-case starts" 1 "$([ "${caps#changed: }" -gt 0 ] && echo 1)"

# --- select --only: GUI and App split the list ------------------------------------------------------
all=$("$lngtool" select "$examples/Demo.kxLng" | head -n -1 | wc -l)
gui=$("$lngtool" select "$examples/Demo.kxLng" --only gui | head -n -1 | wc -l)
app=$("$lngtool" select "$examples/Demo.kxLng" --only app | head -n -1)
check "gui and app split the list" "$all" $((gui + $(printf '%s\n' "$app" | grep -c .)))
check "app holds no TID_ section" 0 "$("$lngtool" select "$examples/Demo.kxLng" --only app --section TID_SearchDlg | head -n -1 | grep -c .)"

# --- a tiny project: parameters, accelerators through --resave-to, refusals ------------------------
mkdir "$work/tiny"
printf '[TID_Tiny]\r\nbtnSave.VC=&Save && Exit\r\nlblFish.VC=Fish && Chips\r\nlblInsert.VC=Insert [file] and [page\r\n' >"$work/tiny/Tiny.SrcLng"
printf '[_info]\r\nDestLng=es\r\n\r\n[TID_Tiny]\r\nlblInsert.VC=Insert [file] and [Page\r\nbtnSave.VC=&Guardar && Salir\r\n' >"$work/tiny/Tiny.kxLng"
T=$work/tiny/Tiny.kxLng
check "fix-param-case" $'lblInsert.VC\nchanged: 1' "$("$lngtool" fix fix-param-case "$T")"
check "param case stored with a warning" "lblInsert.VC=[!]Insert [FILE] and [PAGE" "$(grep -a '^lblInsert' "$T" | tr -d '\r')"
check "remove-accelerators needs --resave-to" 1 "$("$lngtool" fix remove-accelerators "$T" >/dev/null 2>&1; echo $?)"
check "remove-accelerators" $'btnSave.VC\nchanged: 1' \
  "$("$lngtool" fix remove-accelerators "$T" --resave-to "$work/tiny/Q")"
check "Q keeps the doubled ampersands" $'btnSave.VC=Save && Exit\nlblFish.VC=Fish && Chips' \
  "$(grep -a -e '^btnSave' -e '^lblFish' "$work/tiny/Q.SrcLng" | tr -d '\r')"
check "Q keeps the translations" "btnSave.VC=&Guardar && Salir" "$(grep -a '^btnSave' "$work/tiny/Q.kxLng" | tr -d '\r')"
check "the project's source file is untouched" "btnSave.VC=&Save && Exit" "$(grep -a '^btnSave' "$work/tiny/Tiny.SrcLng" | tr -d '\r')"
check "Items commands refuse select's options" 1 "$("$lngtool" fix fix-html "$T" --section TID_Tiny >/dev/null 2>&1; echo $?)"
check "unknown command" 1 "$("$lngtool" fix no-such "$T" >/dev/null 2>&1; echo $?)"

# --- capitalize copies to same-source entries: each key once, in the project's order ----------------
mkdir "$work/copies"
printf '[A]\r\nX.VC=Open\r\nY.VC=Close\r\n[B]\r\nZ.VC=open\r\nW.VC=Save\r\n' >"$work/copies/C.SrcLng"
printf '[_info]\r\nDestLng=de\r\n\r\n[A]\r\nY.VC=schlie\xc3\x9fen\r\n[B]\r\nZ.VC=\xc3\xb6ffnen\r\nW.VC=sichern\r\n' \
  >"$work/copies/C.kxLng"
# Z's change goes to X as well, which comes first in the project though it changes after Y and Z.
check "capitalize lists copies in the project's order" $'X.VC\nY.VC\nZ.VC\nW.VC\nchanged: 4' \
  "$("$lngtool" fix capitalize "$work/copies/C.kxLng")"
check "the copy is saved" "X.VC=$(printf '\xc3\x96')ffnen" "$(grep -a '^X.VC' "$work/copies/C.kxLng" | tr -d '\r')"

# --- thousands of changed keys: every one listed once, in order, and the whole file saved right -----
mkdir "$work/many"
python3 - "$work/many" <<'PY'
import sys
src, trans, want, keys = [], ['[_info]', 'DestLng=de', ''], ['[_info]', 'DestLng=de', ''], []
for s in range(12):
    src.append('[TID_Many%d]' % s); trans.append('[TID_Many%d]' % s); want.append('[TID_Many%d]' % s)
    added = []  # untranslated entries gain a line of their own at the section's end
    for i in range(500):
        key = 'Control%d.Part%d.VC' % (i, s)
        src.append('%s=Source %d of %d' % (key, i, s))
        keys.append(key)
        if i % 3 == 0:
            added.append('%s=[?]' % key)
            continue
        trans.append('%s=Text %d\\nof two lines' % (key, i))
        want.append('%s=[?]Text %d\\nof two lines' % (key, i))
    trans.append(''); want.extend(added + [''])
open(sys.argv[1] + '/Many.SrcLng', 'w').write('\r\n'.join(src) + '\r\n')
open(sys.argv[1] + '/Many.kxLng', 'w').write('\r\n'.join(trans) + '\r\n')
open(sys.argv[1] + '/want', 'w').write('\r\n'.join(want) + '\r\n')
open(sys.argv[1] + '/keys', 'w').write('\n'.join(keys) + '\n')
PY
out=$("$lngtool" fix set-query "$work/many/Many.kxLng")
check "set-query lists every key once, in order" "$(cat "$work/many/keys")" "$(printf '%s\n' "$out" | head -n -1)"
check "set-query counts them" "changed: 6000" "$(printf '%s\n' "$out" | tail -n 1)"
check "the saved file flags each of them and keeps the rest" "" "$(cmp "$work/many/want" "$work/many/Many.kxLng")"

finish
