#!/usr/bin/env python3
"""Costs of lngtool's word-list and measuring commands on a generated project, as cost beyond `stats`.

A project of ENTRIES entries is generated (make_project) in a scratch folder outside the repository,
with a block of program messages and their raw counterparts appended to its source file. Each
command runs REPS times, alternating with `lngtool stats`, as a process under /usr/bin/time; the
figures are medians of CPU time (user + system), as the machine is shared. Every command opens the
project as `stats` does, so the cost it adds is its time minus that of `stats`; the merge of a word
list also saves, so its cost is counted beyond `resave` of the merged project.

usage: bench_wordlists.py [BUILD_DIR] [--entries 1000000] [--messages 50000] [--reps 3] [--keep]
"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import tempfile

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Command, what its added cost may be at most (times the cost of `stats`), and the base it is
# measured beyond.
LIMITS = {
    "wordlist export": (0.5, "stats"),
    "wordlist merge": (1.0, "resave"),
    "wordfreq": (1.0, "stats"),
    "hash": (0.25, "stats"),
    "msg-diffs": (0.25, "stats"),
    "statistics": (0.1, "stats"),
    "dump-raw": (None, "stats"),  # no limit set: reported
    "repo-load": (None, "resave"),  # no limit set: reported
}


def cpu_of(cmd):
    with tempfile.NamedTemporaryFile("r", suffix=".time") as out:
        rc = subprocess.run(["/usr/bin/time", "-f", "%U %S %e", "-o", out.name] + cmd,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
        user, system, wall = out.read().split()[-3:]
    return float(user) + float(system), float(wall), rc


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build", nargs="?", default=os.path.join(REPO, "build", "release"))
    ap.add_argument("--entries", type=int, default=1000000)
    ap.add_argument("--messages", type=int, default=50000)
    ap.add_argument("--reps", type=int, default=3)
    ap.add_argument("--keep", action="store_true")
    a = ap.parse_args()
    lngtool = os.path.join(a.build, "app", "lngtool")
    make_project = os.path.join(a.build, "bench", "make_project")
    folder = tempfile.mkdtemp(prefix="vt_bench_wordlists_")
    try:
        subprocess.run([make_project, folder, "P", str(a.entries), "7"], check=True, stdout=subprocess.DEVNULL)
        src, kx = os.path.join(folder, "P.SrcLng"), os.path.join(folder, "P.kxLng")
        rnd = random.Random(15)
        words = ["open", "file", "save", "the", "disk", "is", "full", "cannot", "find", "folder", "name"]
        with open(src, "ab") as f, open(kx, "ab") as t:
            f.write(b"\r\n[Messages]\r\n")
            t.write(b"\r\n[Messages]\r\n")
            raws = []
            for i in range(a.messages):
                text = " ".join(rnd.choice(words) for _ in range(5)) + " %d" % i
                raw = text if i % 4 else text + "."
                raws.append(raw)
                f.write(b"m%d.msg=%s\r\n" % (i, text.encode()))
                if i % 2:
                    t.write(b"m%d.msg=%s\r\n" % (i, text.upper().encode()))
            f.write(b"[_Messages]\r\n")
            for i, raw in enumerate(raws):
                f.write(b"m%d._msg=%s\r\n" % (i, raw.encode()))
        project = kx
        pristine = os.path.join(folder, "pristine.kxLng")
        shutil.copy(kx, pristine)
        # Q: the same sources without translations; the word list of P padded to a million pairs.
        q_src, q_kx = os.path.join(folder, "Q.SrcLng"), os.path.join(folder, "Q.kxLng")
        shutil.copy(src, q_src)
        empty_q = b"[_info]\r\nDestLng=es\r\n"
        words_file = os.path.join(folder, "w.txt")
        subprocess.run([lngtool, "wordlist", "export", project, words_file], check=True, stdout=subprocess.DEVNULL)
        pairs = open(words_file, "rb").read().count(b"\r\nL=")
        with open(words_file, "ab") as f:
            for i in range(max(0, 1000000 - pairs)):
                f.write(b"R=padding source %d\r\nL=relleno %d\r\n\r\n" % (i, i))

        def fresh_q():
            with open(q_kx, "wb") as f:
                f.write(empty_q)

        runs = {}

        def run(name, cmd, before=None):
            if before:
                before()
            cpu, wall, rc = cpu_of(cmd)
            runs.setdefault(name, []).append(cpu)
            return rc

        out = os.path.join(folder, "out.txt")
        merged = os.path.join(folder, "merged.kxLng")
        for _ in range(a.reps):
            run("stats", [lngtool, "stats", project])
            run("wordlist export", [lngtool, "wordlist", "export", project, out])
            run("wordfreq", [lngtool, "wordfreq", project])
            run("hash", [lngtool, "hash", project])
            run("msg-diffs", [lngtool, "msg-diffs", project])
            run("statistics", [lngtool, "statistics", project])
            run("dump-raw", [lngtool, "dump-raw", project])
            run("wordlist merge", [lngtool, "wordlist", "merge", q_kx, words_file], fresh_q)
            shutil.copy(q_kx, merged)
            # resave of the merged project: the save the merge made, with an open before it.
            run("resave", [lngtool, "resave", q_kx])
            shutil.copy(merged, q_kx)
            run("repo-load", [lngtool, "repo-load", q_kx, pristine], fresh_q)
        med = {k: statistics.median(v) for k, v in runs.items()}
        print("%d entries (+%d messages and counterparts), %d pairs in the word list, medians of %d runs"
              % (a.entries, a.messages, max(pairs, 1000000), a.reps))
        print("%-16s %8.3f s cpu" % ("stats", med["stats"]))
        print("%-16s %8.3f s cpu" % ("resave (merged)", med["resave"]))
        ok = True
        for name, (limit, base) in LIMITS.items():
            added = med[name] - med[base]
            share = added / med["stats"] if med["stats"] > 0 else float("nan")
            good = limit is None or share <= limit
            ok &= good
            print("%-16s %8.3f s cpu  beyond %-6s %+7.3f s = %5.2fx stats (limit %s) %s"
                  % (name, med[name], base, added, share, "-" if limit is None else "%.2fx" % limit,
                     "ok" if good else "OVER"))
        return 0 if ok else 1
    finally:
        if a.keep:
            print("kept", folder)
        else:
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    raise SystemExit(main())
