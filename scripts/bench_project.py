#!/usr/bin/env python3
"""Open, save and filter benchmarks of generated projects, each beside its floor in the same run.

Projects of each size are generated in a scratch folder outside the repository (removed at the end).
For every size the script runs, alternating and REPS times each:
  - the read floor: a plain program that reads the project's files, splits them into lines and
    keeps every key and value (floor_project read), and
  - `lngtool stats` (open the project and count), once more right away, and `lngtool resave`
    (open and save),
measured as processes with /usr/bin/time (wall, CPU, peak resident memory, page faults); then
`lngtool stats` of a copy saved with keys added (lines at the sections' ends); then the
in-process timings of project_runs (pipeline, save against the write floor). Medians throughout.
The open of 10M is given twice: after the read floor's run, and right after another open. This
host takes memory back a few seconds after more than about a gigabyte of it was freed, and a
process then pays for every page it first touches (2-3 s of system time for a 10M open); the
second figure is the program's own scaling, which every run of 1M (under that gigabyte) shows.
Up to 1M entries it also times the main window opening the project, picking "[ALL]" and painting
the first rows of the entry list (transclient --section "[ALL]" --screenshot, offscreen; the picture
is an uncompressed BMP, so that the encoder is not what is timed), both as the whole process and
until the picture of the painted rows is written (what the user waits for; the window then stays),
and, when Qt's lconvert is installed, lconvert loading and writing the same entries as a Qt
translation file, beside `lngtool resave`.

usage: bench_project.py [BUILD_DIR] [--sizes 100000,1000000,10000000] [--reps N] [--keep] [--no-lconvert]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def timed(cmd, env=None, written=None):
    """Runs cmd under /usr/bin/time; returns wall s, cpu s, peak MB, minor and major faults, and
    with written (a file the run makes) the seconds from the start until that file was written."""
    # The files an earlier run or the generator wrote go to disk first: their writeback would
    # otherwise share the cores with this run (a 10M resave writes 390 MB).
    os.sync()
    if written and os.path.exists(written):
        os.remove(written)
    with tempfile.NamedTemporaryFile("r", suffix=".time") as out:
        start = time.time_ns()
        subprocess.run(["/usr/bin/time", "-f", "%e %U %S %M %R %F", "-o", out.name] + cmd,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        wall, user, system, kb, minor, major = out.read().split()[-6:]
    result = {"wall": float(wall), "cpu": float(user) + float(system), "peak": int(kb) / 1024.0,
              "minor": int(minor), "major": int(major)}
    if written:
        result["written"] = (os.stat(written).st_mtime_ns - start) / 1e9
    return result


def ratio(a, b):
    return a / b if b > 0 else float("nan")


def median_of(runs):
    return {k: statistics.median(r[k] for r in runs) for k in runs[0]}


def fmt(m):
    return "%7.3f s wall %7.3f s cpu %8.1f MB peak %9d faults" % (m["wall"], m["cpu"], m["peak"],
                                                                m["minor"] + m["major"])


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build", nargs="?", default=os.path.join(REPO, "build", "release"))
    ap.add_argument("--sizes", default="100000,1000000,10000000")
    ap.add_argument("--reps", type=int, default=5)
    ap.add_argument("--keep", action="store_true", help="keep the scratch folder")
    ap.add_argument("--no-lconvert", action="store_true", help="leave out the comparison with lconvert")
    args = ap.parse_args()
    build = os.path.abspath(args.build)
    tools = {n: os.path.join(build, "bench", n) for n in ("make_project", "floor_project", "project_runs")}
    lngtool = os.path.join(build, "app", "lngtool")
    window = os.path.join(build, "app", "transclient", "transclient")
    lconvert = shutil.which("lconvert") or ("/usr/lib/qt6/bin/lconvert" if os.access("/usr/lib/qt6/bin/lconvert", os.X_OK) else None)
    for path in list(tools.values()) + [lngtool]:
        if not os.access(path, os.X_OK):
            sys.exit("missing %s: build the release preset first" % path)

    scratch = tempfile.mkdtemp(prefix="vt_bench_project_", dir=os.environ.get("VT_BENCH_SCRATCH"))
    if os.path.commonpath([os.path.realpath(scratch), REPO]) == REPO:
        sys.exit("the scratch folder must be outside the repository")
    results = {}
    try:
        for size in [int(s) for s in args.sizes.split(",") if s]:
            folder = os.path.join(scratch, str(size))
            os.makedirs(folder)
            small = size <= 1000000
            compare = small and lconvert is not None and not args.no_lconvert
            made = subprocess.run([tools["make_project"], folder, "Bench", str(size), "7", "--auto"] +
                                  (["--ts"] if compare else []), check=True, capture_output=True, text=True)
            kx = made.stdout.splitlines()[1]
            files = [kx[:-len(".kxLng")] + ext for ext in (".SrcLng", ".kxLng", ".AutoLng")]
            megabytes = sum(os.path.getsize(f) for f in files) / 1e6
            reps = args.reps if size < 5000000 else max(3, args.reps // 2)
            floor, stats, warm, resave, shown, converted = [], [], [], [], [], []
            shot = os.path.join(folder, "first-rows.bmp")
            env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
            # One untimed open first: on a virtual machine the first touch of memory the host has not
            # lent for a while costs several times a later one, and would be charged to whichever
            # run came first.
            timed([lngtool, "stats", kx])
            for _ in range(reps):
                floor.append(timed([tools["floor_project"], "read"] + files))
                stats.append(timed([lngtool, "stats", kx]))
                # Again at once: this host takes freed memory back once more than about a gigabyte
                # of it waits, and a process that then takes memory pays the host for every page
                # first touched (10M: 2-3 s of system time). A run right after one of the same size
                # finds the memory still lent, as every run of 1M does.
                warm.append(timed([lngtool, "stats", kx]))
                resave.append(timed([lngtool, "resave", kx]))
                if small and os.access(window, os.X_OK):
                    shown.append(timed([window, kx, "--section", "[ALL]", "--screenshot", shot], env, shot))
                if compare:
                    ts = kx[:-len(".kxLng")] + ".ts"
                    converted.append(timed([lconvert, "-i", ts, "-o", ts + ".out.ts"]))
            # The same project after a save that added keys: each section gains lines at its end
            # (set-query gives every untranslated entry a flag), which no longer follow the source.
            added = os.path.join(folder, "added")
            os.makedirs(added)
            for f in files:
                shutil.copy(f, added)
            kx_added = os.path.join(added, os.path.basename(kx))
            subprocess.run([lngtool, "fix", "set-query", kx_added], check=True, stdout=subprocess.DEVNULL)
            stats_added = [timed([lngtool, "stats", kx_added]) for _ in range(reps)]
            shutil.rmtree(added)
            # Every rep in process: a write of a 10M translation file gives a few hundred MB of the
            # page cache back, and a later write that meets memory the host took back costs two to
            # four times as much; the median of more reps is the usual write.
            runs = {}
            for line in subprocess.run([tools["project_runs"], kx, str(args.reps)], check=True,
                                       capture_output=True, text=True).stdout.splitlines():
                name, *values = line.split()
                runs[name] = [float(v) for v in values]
            r = results[size] = {"floor": median_of(floor), "stats": median_of(stats), "warm": median_of(warm),
                                 "resave": median_of(resave), "added": median_of(stats_added),
                                 "runs": runs, "MB": megabytes}
            if shown:
                r["window"] = median_of(shown)
            if converted:
                r["lconvert"] = median_of(converted)
            print("== %d entries, %.1f MB in three files" % (size, megabytes))
            print("  read floor      ", fmt(r["floor"]))
            print("  lngtool stats   ", fmt(r["stats"]), " = %.2fx wall, %.2fx cpu, %.2fx peak of the floor" % (
                ratio(r["stats"]["wall"], r["floor"]["wall"]), ratio(r["stats"]["cpu"], r["floor"]["cpu"]),
                ratio(r["stats"]["peak"], r["floor"]["peak"])))
            print("  stats right after stats", fmt(r["warm"]))
            print("  lngtool resave  ", fmt(r["resave"]))
            print("  stats, keys added", fmt(r["added"]), " = %.2fx wall of lngtool stats" % (
                ratio(r["added"]["wall"], r["stats"]["wall"])))
            if "window" in r:
                print("  window open+paint", fmt(r["window"]), " = %.2fx wall, %.2fx cpu of lngtool stats" % (
                    ratio(r["window"]["wall"], r["stats"]["wall"]), ratio(r["window"]["cpu"], r["stats"]["cpu"])))
                print("  window, first rows painted and shot written %.3f s = %.2fx wall of lngtool stats" % (
                    r["window"]["written"], ratio(r["window"]["written"], r["stats"]["wall"])))
            if "lconvert" in r:
                print("  lconvert ts->ts ", fmt(r["lconvert"]), " = resave is %.1fx faster (wall), %.1fx (cpu)" % (
                    ratio(r["lconvert"]["wall"], r["resave"]["wall"]), ratio(r["lconvert"]["cpu"], r["resave"]["cpu"])))
            for name, values in runs.items():
                print("  %-22s %s" % (name, " ".join("%.1f" % v for v in values)))
            save, wfloor = runs["save"], runs["write_floor"]
            print("  save / write floor: %.2fx wall, %.2fx cpu" % (ratio(save[0], wfloor[0]), ratio(save[1], wfloor[1])))
            sys.stdout.flush()
    finally:
        if args.keep:
            print("scratch kept in", scratch)
        else:
            shutil.rmtree(scratch, ignore_errors=True)

    if 1000000 in results:
        m = results[1000000]
        print("== goals (1M)")
        print("  open / read floor:      %.2fx wall (%.2fx cpu)" % (m["stats"]["wall"] / m["floor"]["wall"],
                                                                  m["stats"]["cpu"] / m["floor"]["cpu"]))
        print("  peak memory / floor's:  %.2fx" % (m["stats"]["peak"] / m["floor"]["peak"]))
        print("  save / write floor:     %.2fx wall" % (m["runs"]["save"][0] / m["runs"]["write_floor"][0]))
        print("  save / write floor:     %.2fx cpu" % (m["runs"]["save"][1] / m["runs"]["write_floor"][1]))
        print("  pipeline contains open: %.1f ms wall, %.1f ms cpu (contains e: %.1f / %.1f ms)" % (
            m["runs"]["pipeline_contains_open"][0], m["runs"]["pipeline_contains_open"][1],
            m["runs"]["pipeline_contains_e"][0], m["runs"]["pipeline_contains_e"][1]))
        if "window" in m:
            print("  window open+paint / stats: %.2fx wall, %.2fx cpu (the whole process)" % (
                m["window"]["wall"] / m["stats"]["wall"], m["window"]["cpu"] / m["stats"]["cpu"]))
            print("  window first rows / stats: %.2fx wall (until the shot of the painted rows is written)" % (
                m["window"]["written"] / m["stats"]["wall"]))
        if "lconvert" in m:
            print("  lconvert / resave:      %.1fx wall, %.1fx cpu" % (
                m["lconvert"]["wall"] / m["resave"]["wall"], m["lconvert"]["cpu"] / m["resave"]["cpu"]))
        if 10000000 in results:
            t = results[10000000]
            print("  open 10M / open 1M:     %.2f wall, %.2f cpu (each after the read floor's run)" % (
                t["stats"]["wall"] / m["stats"]["wall"], t["stats"]["cpu"] / m["stats"]["cpu"]))
            print("  open 10M / open 1M:     %.2f wall, %.2f cpu (each right after an open of the same size)" % (
                t["warm"]["wall"] / m["warm"]["wall"], t["warm"]["cpu"] / m["warm"]["cpu"]))
            print("  read floor 10M / 1M:    %.2f wall, %.2f cpu" % (t["floor"]["wall"] / m["floor"]["wall"],
                                                              t["floor"]["cpu"] / m["floor"]["cpu"]))
            for label, name in (("save", "save"), ("pipeline", "pipeline_contains_open")):
                print("  %-8s 10M / 1M:      %.2f wall, %.2f cpu" % (
                    label, ratio(t["runs"][name][0], m["runs"][name][0]), ratio(t["runs"][name][1], m["runs"][name][1])))


if __name__ == "__main__":
    main()
