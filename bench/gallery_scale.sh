#!/usr/bin/env bash
# Times `rxtheme gallery` of generated themes folders (100 and 1,000 installed
# themes, each a copy of the packed sample Harbor under a random title) and
# `rxtheme load` of the same package, in the same run. Each gallery runs REPS
# times (default 3) into a fresh output folder, after one warm-up run; the
# median CPU time (user + system), the wall time and the peak memory are
# printed with the ratios that matter: how the gallery grows from 100 to
# 1,000 themes (10 is linear; target at most 12), how its memory grows (flat
# is 1), and its time per theme against one `rxtheme load` of the package.
# Usage: bench/gallery_scale.sh [BUILD_DIR] [REPS]   (BUILD_DIR default: build)
set -euo pipefail
build=${1:-build}
rxtheme=$(realpath "$build/apps/cli/rxtheme")
package=$(realpath "$build/themes/harbor/harbor.elm")
reps=${2:-3}
[ -x "$rxtheme" ] || { echo "no rxtheme program at $rxtheme" >&2; exit 1; }
[ -f "$package" ] || { echo "no packed sample theme at $package (build the sample_themes target)" >&2; exit 1; }
# In memory where the system offers it: 1,000 exports write some 60,000 files.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$rxtheme" "$package" "$work" "$reps" <<'PY'
import os, random, resource, shutil, statistics, subprocess, sys, time

rxtheme, package, work, reps = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
random.seed(7)
WORDS = ["Harbor", "Meadow", "Ember", "Slate", "Aurora", "Canyon", "Dune", "Fjord", "Grove"]

def make_themes(count):
    folder = os.path.join(work, "themes-%d" % count)
    os.makedirs(folder)
    for i in random.sample(range(count), count):
        name = "theme%05d" % i
        os.mkdir(os.path.join(folder, name))
        with open(os.path.join(folder, name, name + ".inf"), "w") as f:
            f.write("[info]\r\ntitle=%s %s %d\r\n" % (random.choice(WORDS), random.choice(WORDS), i))
        shutil.copyfile(package, os.path.join(folder, name, name + ".elm"))
    return folder

def run(cmd):
    """CPU seconds, wall seconds and peak resident kilobytes of one run."""
    start = time.perf_counter()
    child = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)  # reaped here, not again by Popen
    wall = time.perf_counter() - start
    if status != 0:
        sys.exit("failed: %s" % " ".join(cmd))
    return usage.ru_utime + usage.ru_stime, wall, usage.ru_maxrss

def gallery(count):
    folder = make_themes(count)
    out = os.path.join(work, "gallery-%d" % count)
    runs = []
    for rep in range(reps + 1):
        shutil.rmtree(out, ignore_errors=True)
        result = run([rxtheme, "gallery", folder, "-o", out])
        if rep:
            runs.append(result)
    shutil.rmtree(out, ignore_errors=True)
    return tuple(statistics.median(r[i] for r in runs) for i in range(3))

results = {}
for count in (100, 1000):
    cpu, wall, rss = gallery(count)
    results[count] = (cpu, wall, rss)
    print("%5d themes   gallery cpu %8.1f ms   wall %8.1f ms   peak %6.1f MB   %.2f ms per theme" %
          (count, cpu * 1000, wall * 1000, rss / 1024, cpu * 1000 / count))

loads = []
for rep in range(51):
    result = run([rxtheme, "load", package, "--working-folder", os.path.join(work, "page"), "--json"])
    if rep:
        loads.append(result)
load_cpu = statistics.median(r[0] for r in loads)
load_rss = statistics.median(r[2] for r in loads)
print("rxtheme load of the same package: cpu %.2f ms, peak %.1f MB" % (load_cpu * 1000, load_rss / 1024))
print("1,000 / 100 themes: cpu %.2f, wall %.2f (target: at most 12)" %
      (results[1000][0] / results[100][0], results[1000][1] / results[100][1]))
print("peak memory 1,000 / 100 themes: %.2f (flat is 1.0)" % (results[1000][2] / results[100][2]))
print("gallery per theme / one load: %.2f" % ((results[1000][0] / 1000) / load_cpu))
PY
