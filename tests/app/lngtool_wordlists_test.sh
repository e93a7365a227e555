#!/usr/bin/env bash
# lngtool's word-list and measuring commands on copies of the demo project: an export merged into the
# same project without translations, the repository load, the hash listing against an independent
# MurmurHash2 in Python, the byte statistics against a reading of the files, and refused targets.
source "$(dirname "${BASH_SOURCE[0]}")/lngtool_test_lib.sh"
reference=$3 # murmur2_reference.py
copy_demo "$work"
P=$work/Demo.kxLng

# The files' values as the ini dialect reads them (first of each key; names without case).
cat >"$work/ini.py" <<'PY'
def read(path):
    data, section = {}, None
    for line in open(path, "rb").read().replace(b"\r\n", b"\n").split(b"\n"):
        line = line.strip()
        if line.startswith(b"[") and line.endswith(b"]"):
            section = line[1:-1].lower()
        elif b"=" in line and section is not None and not line.startswith(b";"):
            k, v = line.split(b"=", 1)
            data.setdefault((section, k.strip().lower()), v.strip())
    return data

def visible(src):
    for (section, key), value in src.items():
        if section != b"_info" and b"." in key and not key.rsplit(b".", 1)[1].startswith(b"_"):
            yield (section, key), value
PY

# Q: the same sources, no translations.
fresh_q() {
  cp "$work/Demo.SrcLng" "$work/Q.SrcLng"
  printf '[_info]\r\nDestLng=es\r\n' >"$work/Q.kxLng"
  rm -f "$work/Q.kxLng.~bu"
}

# --- export, then merge into Q: each visible entry whose source has a pair gets the first pair's text.
check "export" "exported: 191" "$("$lngtool" wordlist export "$P" "$work/w.txt")"
fresh_q
"$lngtool" select "$work/Q.kxLng" | head -n -1 >"$work/q0.rows"
"$lngtool" wordlist merge "$work/Q.kxLng" "$work/w.txt" >"$work/merge.out"
check "merge exit" 0 $?
"$lngtool" select "$P" | head -n -1 >"$work/p.rows"
"$lngtool" select "$work/Q.kxLng" | head -n -1 >"$work/q.rows"
# Rows are key TAB original TAB translation, and texts may hold TABs: Q's rows before the merge
# (empty translations) give each row's key and original exactly.
check "merged rows are the first pair of each source" ok "$(python3 - "$work" <<'PY'
import sys
w = sys.argv[1]
rows = lambda name: open(w + "/" + name, encoding="utf-8").read().split("\n")[:-1]
q0, p, q = rows("q0.rows"), rows("p.rows"), rows("q.rows")
assert len(q0) == len(p) == len(q) and all(r.endswith("\t") for r in q0)
heads = [r[:-1] for r in q0]  # key TAB original
originals = [h.split("\t", 1)[1] for h in heads]
first = {}
for head, orig, row in zip(heads, originals, p):
    trans = row[len(head) + 1:]
    if trans and orig not in first:
        first[orig] = trans
expected = [head + "\t" + first.get(orig, "") for head, orig in zip(heads, originals)]
filled = sum(1 for orig in originals if orig in first)
if q != expected:
    print("differs:", [(a, b) for a, b in zip(expected, q) if a != b][:3])
elif open(w + "/merge.out").read() != "merged: %d\n" % filled:
    print("count:", open(w + "/merge.out").read(), filled)
else:
    print("ok")
PY
)"
check "merge left the source file" same "$(cmp -s "$work/Q.SrcLng" "$work/Demo.SrcLng" && echo same)"
check "merge again fills nothing" "merged: 0" "$("$lngtool" wordlist merge "$work/Q.kxLng" "$work/w.txt")"

# --- a word list never replaces a file of the project; nothing is written.
cp "$P" "$work/before.kxLng"
msg=$("$lngtool" wordlist export "$P" "$P" 2>&1)
check "export onto the translation file exits 1" 1 $?
check "translation file unchanged" same "$(cmp -s "$P" "$work/before.kxLng" && echo same)"
check "refusal names the file" yes "$([[ $msg == "Unable to save file $P: refused"* ]] && echo yes)"
"$lngtool" wordlist export-raw "$P" "$work/Demo.SrcLng" >/dev/null 2>&1
check "export-raw onto the source file exits 1" 1 $?

# --- repository load: untranslated non-messages take the repository's value, letters included.
fresh_q
out=$("$lngtool" repo-load "$work/Q.kxLng" "$P")
check "repo-load exit" 0 $?
check "repo-load took exactly the repository's values" ok "$(python3 - "$work" "$out" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import ini
w = sys.argv[1]
src, repo, q = ini.read(w + "/Demo.SrcLng"), ini.read(w + "/Demo.kxLng"), ini.read(w + "/Q.kxLng")
expected = {k: repo[k] for k, _ in ini.visible(src) if not k[1].endswith(b".msg") and repo.get(k)}
got = {k: v for k, v in q.items() if k[0] != b"_info" and v}
if got != expected:
    print("differs:", sorted(set(got.items()) ^ set(expected.items()))[:3])
elif sys.argv[2] != "loaded: %d" % len(expected):
    print(sys.argv[2], len(expected))
else:
    print("ok")
PY
)"

# --- raw messages: export-raw then merge-raw into Q fills the translated messages' sources.
fresh_q
"$lngtool" wordlist export-raw "$P" "$work/raw.txt" >/dev/null
check "merge-raw" "merged: $(grep -c '^L=' "$work/raw.txt")" "$("$lngtool" wordlist merge-raw "$work/Q.kxLng" "$work/raw.txt")"
diffs=$("$lngtool" msg-diffs "$P")
check "msg-diffs lines are raw TAB source" 0 "$(printf '%s' "$diffs" | tr -d '\r' | awk -F'\t' 'NF != 2' | wc -l)"

# --- hash: the listing agrees with Python's MurmurHash2; seeds; a repeated source is a collision.
check "hash listing agrees with the reference" ok "$(
  python3 - "$reference" "$lngtool" "$P" <<'PY'
import importlib.util, subprocess, sys
spec = importlib.util.spec_from_file_location("ref", sys.argv[1]); ref = importlib.util.module_from_spec(spec)
spec.loader.exec_module(ref)
tool, project = sys.argv[2], sys.argv[3]
problems = []
for seed_text, seed in (("0", 0x9747B28C), ("-1", 0x9747B28B), ("123456", 0x9747B28C + 123456)):
    args = [tool, "hash", project, "--seed", seed_text, "--list", "--dedup"]
    listed = subprocess.run(args, capture_output=True).stdout.split(b"\n")
    sources = subprocess.run([tool, "dump-raw", project, "--dedup"], capture_output=True).stdout.split(b"\r\n")[:-1]
    if listed[-2] != b"no collisions" or len(listed) - 2 != len(sources):
        problems.append((seed_text, listed[-3:], len(sources)))
        continue
    for line, source in zip(listed, sources):
        if line.split(b"\t")[0].decode() != "%08X" % ref.murmur2(source, seed & 0xFFFFFFFF):
            problems.append((seed_text, line, source))
print("ok" if not problems else problems[:3])
PY
)"
out=$("$lngtool" hash "$P" 2>&1)
check "repeated source exits 1" 1 $?
check "collision names the hash and both entries" ok "$(
  python3 - "$reference" "$lngtool" "$P" "$out" <<'PY'
import importlib.util, subprocess, sys
spec = importlib.util.spec_from_file_location("ref", sys.argv[1]); ref = importlib.util.module_from_spec(spec)
spec.loader.exec_module(ref)
words = sys.argv[4].split(" ")
raw = subprocess.run([sys.argv[2], "hash", sys.argv[3], "--list"], capture_output=True).stdout.decode().split("\n")
ids = [l.split("\t")[1] for l in raw if "\t" in l]
hashes = [l.split("\t")[0] for l in raw if "\t" in l]
ok = (len(words) == 4 and words[0] == "Collision!" and ids[-1] == words[3] and words[2] in ids
      and hashes[ids.index(words[2])] == words[1] == hashes[-1] and ids.index(words[2]) < len(ids) - 1)
print("ok" if ok else words)
PY
)"
for bad in abc 4294967296; do
  check "seed $bad is refused" "'$bad' is not a valid integer value" "$("$lngtool" hash "$P" --seed "$bad" 2>&1)"
done

# --- statistics: byte sums of the visible entries' stored source and translation values.
check "statistics" "$(python3 - "$work" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import ini
src, trans = ini.read(sys.argv[1] + "/Demo.SrcLng"), ini.read(sys.argv[1] + "/Demo.kxLng")
raw = lng = 0
for key, value in ini.visible(src):
    raw += len(value)
    lng += len(trans.get(key, b""))
print("%d raw chars ,   %d lng chars" % (raw, lng))
PY
)" "$("$lngtool" statistics "$P")"

# --- dumps go out as the stored bytes.
check "dump-raw lines" "$("$lngtool" select "$P" | head -n -1 | awk -F'\t' '$2 != ""' | wc -l)" \
  "$("$lngtool" dump-raw "$P" | grep -c $'\r$')"
check "wordfreq counts every word once" "$("$lngtool" wordfreq "$P" | tr -d '\r' | cut -f2 | tr 'A-Z' 'a-z' | sort | uniq -d | wc -l)" 0

finish
