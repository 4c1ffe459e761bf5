#!/usr/bin/env bash
# Times Load of generated theme packages (through bench/load_package, which
# does nothing else) against GNU tar extracting a tar of the same pieces into
# an empty folder, in the same run:
#   large: 64 MB in 200 pieces;  small: 200 pieces of 1 KB.
# Each tool runs REPS times (default 11) into a fresh empty folder; the median
# wall-clock times and their ratio are printed.
# Usage: bench/load_vs_tar.sh [BUILD_DIR] [REPS]   (BUILD_DIR default: build)
set -euo pipefail
build=${1:-build}
rxtheme=$(realpath "$build/apps/cli/rxtheme")
loader=$(realpath "$build/bench/load_package")
reps=${2:-11}
[ -x "$rxtheme" ] || { echo "no rxtheme program at $rxtheme" >&2; exit 1; }
[ -x "$loader" ] || { echo "no load_package program at $loader" >&2; exit 1; }
command -v tar >/dev/null || { echo "GNU tar is needed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$rxtheme" "$loader" "$work" "$reps" <<'PY'
import os, random, statistics, subprocess, sys, time

rxtheme, loader, work, reps = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
random.seed(7)

def make_case(name, sizes):
    src = os.path.join(work, name + "-pieces")
    os.makedirs(src)
    for i, size in enumerate(sizes):
        # Pictures are compressed data: random bytes stand for them.
        with open(os.path.join(src, "piece%03d.gif" % i), "wb") as f:
            f.write(random.randbytes(size))
    package = os.path.join(work, name + ".elm")
    # The pieces are no theme: the check's warnings about them are not shown.
    subprocess.run([rxtheme, "pack", src, "-o", package], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    tarball = os.path.join(work, name + ".tar")
    subprocess.run(["tar", "-cf", tarball, "-C", src] + sorted(os.listdir(src)), check=True)
    return package, tarball

def run_once(cmd_for, tag, rep):
    out = os.path.join(work, "out-%s-%d" % (tag, rep))
    os.makedirs(out)
    start = time.perf_counter()
    subprocess.run(cmd_for(out), check=True, stdout=subprocess.DEVNULL)
    elapsed = time.perf_counter() - start
    subprocess.run(["rm", "-rf", out], check=True)
    return elapsed

def median_times(load_cmd, tar_cmd):
    """Alternates the two tools so that both see the same machine load; the
    first run of each warms the caches and is dropped."""
    loads, tars = [], []
    for rep in range(reps + 1):
        t_load = run_once(load_cmd, "load", rep)
        t_tar = run_once(tar_cmd, "tar", rep)
        if rep:
            loads.append(t_load)
            tars.append(t_tar)
    return statistics.median(loads), statistics.median(tars)

total = 64 * 1024 * 1024
large = [total // 200] * 199 + [total - (total // 200) * 199]
cases = [("large", large, "64 MB in 200 pieces"), ("small", [1024] * 200, "200 pieces of 1 KB")]
worst = 0.0
for name, sizes, label in cases:
    package, tarball = make_case(name, sizes)
    t_load, t_tar = median_times(
        lambda out: [loader, package, out],
        lambda out: ["tar", "-xf", tarball, "-C", out])
    ratio = t_load / t_tar
    worst = max(worst, ratio)
    print("%-22s load %8.1f ms   tar -xf %8.1f ms   ratio %.2f" %
          (label, t_load * 1000, t_tar * 1000, ratio))
print("worst ratio %.2f (target: at most 1.5)" % worst)
PY
