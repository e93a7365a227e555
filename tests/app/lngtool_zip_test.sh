#!/usr/bin/env bash
# lngtool's archive and packed-project commands against the real zip tools: what we write, unzip,
# zipinfo and Python's zipfile read; what they write, we read; damaged and hostile archives end in one
# line and exit 1 with nothing written; backups, clones and resaves on a copy of the demo project.
source "$(dirname "${BASH_SOURCE[0]}")/lngtool_test_lib.sh"
ok() { check "$1" ok "$("${@:2}" >/dev/null 2>&1 && echo ok || echo failed)"; }
fails_in_one_line() { # name, command...: exit 1 and exactly one line on stderr
  local err rc
  err=$("${@:2}" 2>&1 >/dev/null)
  rc=$?
  check "$1 exits 1" 1 "$rc"
  check "$1 says one line" 1 "$(printf '%s\n' "$err" | wc -l)"
  last_error=$err
}

cd "$work" || exit 1
printf 'first file\r\n' > f1
seq 1 2000 > f2

# --- what we write, the others read ----------------------------------------------------------------
ok "zip-create" "$lngtool" zip-create a.zip f1 f2
ok "unzip -t" unzip -t a.zip
ok "python zipfile -t" python3 -m zipfile -t a.zip
info=$(zipinfo -v a.zip)
check "deflated members" 2 "$(grep -c 'compression method: *deflated' <<<"$info")"
check "version 2.0" 2 "$(grep -c 'minimum software version required to extract: *2.0' <<<"$info")"
check "no extra field" 2 "$(grep -c 'length of extra field: *0 bytes' <<<"$info")"
mkdir out && unzip -q a.zip -d out
check "unzip yields the files" same "$(cmp -s f1 out/f1 && cmp -s f2 out/f2 && echo same)"
SOURCE_DATE_EPOCH=1796699742 "$lngtool" zip-create b1.zip f1 f2
sleep 2
SOURCE_DATE_EPOCH=1796699742 "$lngtool" zip-create b2.zip f1 f2
check "SOURCE_DATE_EPOCH makes archives reproducible" same "$(cmp -s b1.zip b2.zip && echo same)"
check "SOURCE_DATE_EPOCH is the members' time" "(2026, 12, 8, 3, 15, 42)" \
  "$(python3 -c 'import zipfile,sys; print(zipfile.ZipFile(sys.argv[1]).infolist()[0].date_time)' b1.zip)"

# --- what the others write, we read -------------------------------------------------------------------
crc2=$(python3 -c 'import zlib; print("%08X" % zlib.crc32(open("f2","rb").read()))')
zip -q z.zip f1 f2
zip -q -0 z0.zip f1 f2
python3 -m zipfile -c p.zip f1 f2
for a in z.zip z0.zip p.zip a.zip; do
  listing=$("$lngtool" zip-list $a)
  check "zip-list $a exits 0" 0 $?
  check "zip-list $a names f2 with its CRC" "f2 $crc2" "$(awk -F'\t' '$1=="f2"{print $1, $5}' <<<"$listing")"
done
check "zip -0 is listed as stored" stored "$("$lngtool" zip-list z0.zip | awk -F'\t' '$1=="f1"{print $2}')"
(printf 'STUB!'; cat z.zip) > stub.zip
cp stub.zip stubA.zip && zip -q -A stubA.zip
ok "a 5-byte stub" "$lngtool" zip-list stub.zip
ok "a stub fixed by zip -A" "$lngtool" zip-list stubA.zip
python3 - <<'EOF'
import io, zipfile
class Pipe(io.RawIOBase):  # a stream that cannot seek: zipfile writes data descriptors
    def __init__(self): self.data = bytearray()
    def writable(self): return True
    def write(self, b): self.data += b; return len(b)
pipe = Pipe()
with zipfile.ZipFile(pipe, 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('f1', 'first file\r\n')
open('stream.zip', 'wb').write(bytes(pipe.data))
EOF
fails_in_one_line "data descriptors" "$lngtool" zip-list stream.zip
check "data descriptors name the member" 1 "$(grep -c '"f1"' <<<"$last_error")"
zip -q -P secret enc.zip f1
fails_in_one_line "encryption" "$lngtool" zip-list enc.zip
check "encryption names the member" 1 "$(grep -c 'Encrypted member "f1"' <<<"$last_error")"

# A flipped byte in f2's data.
python3 - <<'EOF'
import zipfile, struct
data = bytearray(open('a.zip', 'rb').read())
info = zipfile.ZipFile('a.zip').getinfo('f2')
start = info.header_offset + 30 + len(info.filename)
data[start + info.compress_size // 2] ^= 0x10
open('flipped.zip', 'wb').write(bytes(data))
EOF
fails_in_one_line "flipped byte" "$lngtool" zip-list flipped.zip
check "flipped byte message" 'CRC Error in "f2".' "$last_error"

# --- packed projects ------------------------------------------------------------------------------------
mkdir -p d P
cp "$examples"/Demo.SrcLng "$examples"/Demo.kxLng P/
ok "pack" "$lngtool" pack P/Demo.kxLng d/Demo.LngPrj
check "pack members" "Demo.SrcLng
Demo.kxLng" "$(unzip -Z1 d/Demo.LngPrj)"
ok "packed project passes unzip -t" unzip -tq d/Demo.LngPrj
mkdir R && cp "$examples"/Demo.SrcLng "$examples"/Demo.kxLng R/
"$lngtool" resave R/Demo.kxLng 2>/dev/null
check "kxLng member is what resave writes" same "$(unzip -p d/Demo.LngPrj Demo.kxLng | cmp -s - R/Demo.kxLng && echo same)"
mkdir U && cp "$examples"/Demo.SrcLng "$examples"/Demo.kxLng U/ && echo "[x]" > U/Demo.kxLng
old_kx=$(cat U/Demo.kxLng)
ok "unpack" "$lngtool" unpack d/Demo.LngPrj U/Demo.kxLng
check "unpack keeps the replaced translation file" "$old_kx" "$(cat U/Demo.kxLng.~bu)"
check "unpack keeps the replaced source file" same "$(cmp -s U/Demo.SrcLng.~bu "$examples"/Demo.SrcLng && echo same)"
check "unpacked stats" "$("$lngtool" stats P/Demo.kxLng)" "$("$lngtool" stats U/Demo.kxLng)"
check "unpacked select" "$("$lngtool" select P/Demo.kxLng --status all)" "$("$lngtool" select U/Demo.kxLng --status all)"
ok "unpack under a new name" "$lngtool" unpack d/Demo.LngPrj U/Other.kxLng
check "new name pair" "Other.SrcLng Other.kxLng" "$(cd U && echo Other.*)"

# Packed, unpacked and packed again: the same members.
SOURCE_DATE_EPOCH=0 "$lngtool" pack U/Other.kxLng again.LngPrj
mkdir m1 m2 && unzip -q d/Demo.LngPrj -d m1 && unzip -q again.LngPrj -d m2
check "round trip members" same "$(cmp -s m1/Demo.SrcLng m2/again.SrcLng && cmp -s m1/Demo.kxLng m2/again.kxLng && echo same)"

# --- hostile archives: one line, exit 1, nothing written -----------------------------------------------
python3 - <<'EOF'
import struct, zlib
body = b'x' * 1000
c = zlib.compressobj(6, zlib.DEFLATED, -15)
data = c.compress(body) + c.flush()
name = b'Huge.kxLng'
crc = zlib.crc32(body)
local = struct.pack('<IHHHHHIIIHH', 0x04034b50, 20, 0, 8, 0, 0x21, crc, len(data), 3_000_000_000, len(name), 0) + name + data
cd = struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, 20, 20, 0, 8, 0, 0x21, crc, len(data), 3_000_000_000,
                 len(name), 0, 0, 0, 0, 0, 0) + name
end = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, 1, 1, len(cd), len(local), 0)
open('huge.LngPrj', 'wb').write(local + cd + end)
EOF
check "the hostile archive is small" yes "$([ "$(stat -c %s huge.LngPrj)" -lt 1100 ] && echo yes)"
mkdir H
fails_in_one_line "3 GB claim" /usr/bin/time -f '%M' -o huge.mem "$lngtool" unpack huge.LngPrj H/T.kxLng
check "3 GB claim peak under 100 MB" yes "$([ "$(tail -n 1 huge.mem)" -lt 102400 ] && echo yes)"
check "3 GB claim writes nothing" "" "$(ls H)"
size=$(stat -c %s d/Demo.LngPrj)
bad=0
for n in $(seq 0 97 "$size") $(seq $((size - 64)) $((size - 1))); do
  head -c $n d/Demo.LngPrj > cut.LngPrj
  err=$("$lngtool" unpack cut.LngPrj H/T.kxLng 2>&1)
  rc=$?
  if [ $rc -ne 1 ] || [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ] || [ -n "$(ls H)" ]; then
    bad=$((bad + 1))
    echo "truncation at $n: rc=$rc: $err"
  fi
done
check "every truncation fails cleanly" 0 $bad
fails_in_one_line "missing archive" "$lngtool" unpack none.LngPrj H/T.kxLng

# --- backups ---------------------------------------------------------------------------------------------
mkdir -p D/P && cp "$examples"/Demo.SrcLng D/P/French.SrcLng && cp "$examples"/Demo.kxLng D/P/French.kxLng
out=$("$lngtool" backup --at "2026-12-08 03:15:42" D/P/French.kxLng)
check "backup path" "D/P/AutoBackups/French.BU2026_12_08 03-15-42.LngPrj" "$out"
check "backup members" "French.BU2026_12_08 03-15-42.SrcLng
French.BU2026_12_08 03-15-42.kxLng" "$(unzip -Z1 "$out")"
ok "unpack the backup in place" "$lngtool" unpack "$out" "D/P/AutoBackups/French.BU2026_12_08 03-15-42.kxLng"
again=$("$lngtool" backup --at "2026-12-09 10:00:00" "D/P/AutoBackups/French.BU2026_12_08 03-15-42.kxLng")
check "backup of a restored backup" "D/P/AutoBackups/French.BU2026_12_09 10-00-00.LngPrj" "$again"
fails_in_one_line "bad --at" "$lngtool" backup --at "yesterday" D/P/French.kxLng
mkdir -p F && cp D/P/French.* F/ && echo file > F/AutoBackups
fails_in_one_line "AutoBackups is a file" "$lngtool" backup F/French.kxLng
check "backup failure names the archive" 1 "$(grep -c 'Unable to save Backupfile: F/AutoBackups/French.BU' <<<"$last_error")"

# --- clone, resave-entire, build-updated-src -------------------------------------------------------------
ok "clone" "$lngtool" clone D/P/French.kxLng D/Copy.SrcLng
check "clone copies both files" same "$(cmp -s D/P/French.kxLng D/Copy.kxLng && cmp -s D/P/French.SrcLng D/Copy.SrcLng && echo same)"
fails_in_one_line "clone onto itself" "$lngtool" clone D/P/French.kxLng D/P/French.SrcLng
ok "resave-entire" "$lngtool" resave-entire D/Copy.kxLng D/Same
check "resave-entire keeps every entry" "$("$lngtool" stats D/Copy.kxLng)" "$("$lngtool" stats D/Same.kxLng)"
check "resave-entire keeps the selection" "$("$lngtool" select D/Copy.kxLng)" "$("$lngtool" select D/Same.kxLng)"
ok "resave-entire after merging hints" "$lngtool" resave-entire --merge-hints D/Copy.kxLng D/Whole
check "reopened resave shows merged hints" 0 "$("$lngtool" select D/Whole.kxLng --type hints | grep -c $'\.T[HF]\t')"
check "reopened resave has combined hints" yes \
  "$([ "$("$lngtool" select D/Whole.kxLng --type hints | grep -c $'\.THF\t')" -gt 0 ] && echo yes)"
ok "build-updated-src" "$lngtool" build-updated-src D/P/French.kxLng D/Updated.SrcLng
check "no comment keys in the updated source" 0 "$(grep -c '_?=' D/Updated.SrcLng)"
check "translations became sources" 1 "$(grep -c '^mnuFile.VC=&Archivo' D/Updated.SrcLng)"

# --- kill -9 of pack leaves the earlier archive whole --------------------------------------------------------
python3 - <<'EOF'
lines_s, lines_k = [], []
for s in range(300):
    lines_s.append('[TID_Form%d]' % s); lines_k.append('[TID_Form%d]' % s)
    for i in range(600):
        lines_s.append('Ctl%d.TC=Source text number %d of form %d' % (i, i, s))
        lines_k.append('Ctl%d.TC=Translated text %d, form %d' % (i, i * 7, s))
open('Big.SrcLng', 'w').write('\r\n'.join(lines_s) + '\r\n')
open('Big.kxLng', 'w').write('\r\n'.join(lines_k) + '\r\n')
EOF
"$lngtool" pack Big.kxLng Big.LngPrj
cp Big.LngPrj Big.before
killed_whole=0
for delay in 0.05 0.2 0.4 0.6 0.8 1.0; do
  "$lngtool" pack Big.kxLng Big.LngPrj &
  pid=$!
  sleep $delay
  kill -9 $pid 2>/dev/null
  wait $pid 2>/dev/null
  if cmp -s Big.LngPrj Big.before || unzip -tq Big.LngPrj >/dev/null 2>&1; then killed_whole=$((killed_whole + 1)); fi
done
check "kill -9 of pack leaves a whole archive" 6 $killed_whole
big_backup=$("$lngtool" backup --at "2026-12-08 03:15:42" Big.kxLng)
cp "$big_backup" backup.before
killed_whole=0
for delay in 0.05 0.3 0.6 0.9; do
  "$lngtool" backup --at "2026-12-08 03:15:42" Big.kxLng >/dev/null &
  pid=$!
  sleep $delay
  kill -9 $pid 2>/dev/null
  wait $pid 2>/dev/null
  if cmp -s "$big_backup" backup.before || unzip -tq "$big_backup" >/dev/null 2>&1; then killed_whole=$((killed_whole + 1)); fi
done
check "kill -9 of backup leaves a whole archive" 4 $killed_whole

finish
