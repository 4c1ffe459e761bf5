#!/usr/bin/env bash
# Times `rxtheme list` of generated themes folders (10,000 and 30,000 themes,
# each a sub-folder with its .inf file and a package, titles in random order,
# some equal) against `cat` of the same .inf files, in the same run. Each
# command runs REPS times (default 7), alternating, after one warm-up run
# each; the median CPU times (user + system) are printed with the two ratios
# that matter: how listing grows from 10,000 to 30,000 themes (3.0 is
# linear) and how it compares with reading the files.
# Usage: bench/list_vs_cat.sh [BUILD_DIR] [REPS]   (BUILD_DIR default: build)
set -euo pipefail
build=${1:-build}
rxtheme=$(realpath "$build/apps/cli/rxtheme")
reps=${2:-7}
[ -x "$rxtheme" ] || { echo "no rxtheme program at $rxtheme" >&2; exit 1; }
# In memory where the system offers it: making and removing 40,000 folders on
# a disk takes minutes and says nothing about either program.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$rxtheme" "$work" "$reps" <<'PY'
import os, random, resource, statistics, subprocess, sys

rxtheme, work, reps = sys.argv[1], sys.argv[2], int(sys.argv[3])
random.seed(11)
WORDS = ["Harbor", "Meadow", "Ember", "Slate", "Aurora", "Canyon", "Dune", "Fjord", "Grove",
         "Lagoon", "Mesa", "Nimbus", "Orchid", "Prairie", "Quartz", "Ridge", "Tundra"]

def make_themes(count):
    folder = os.path.join(work, "themes-%d" % count)
    os.makedirs(folder)
    infs = []
    for i in random.sample(range(count), count):  # created in random order
        name = "theme%05d" % i
        os.mkdir(os.path.join(folder, name))
        title = "%s %s %d" % (random.choice(WORDS), random.choice(WORDS), random.randrange(count // 2))
        with open(os.path.join(folder, name, name + ".inf"), "w") as f:
            f.write("[info]\r\ntitle=%s\r\nauthor=bench\r\n" % title)
        open(os.path.join(folder, name, name + ".elm"), "w").close()  # listed only with its package
        infs.append(os.path.join(name, name + ".inf"))
    return folder, infs

def cpu_of(cmd, cwd):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(cmd, cwd=cwd, check=True, stdout=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)

def median_cpu(list_cmd, cat_cmd, cwd):
    lists, cats = [], []
    for rep in range(reps + 1):
        t_list, t_cat = cpu_of(list_cmd, cwd), cpu_of(cat_cmd, cwd)
        if rep:
            lists.append(t_list)
            cats.append(t_cat)
    return statistics.median(lists), statistics.median(cats)

results = {}
for count in (10000, 30000):
    folder, infs = make_themes(count)
    t_list, t_cat = median_cpu([rxtheme, "list", "."], ["cat"] + infs, folder)
    results[count] = (t_list, t_cat)
    print("%6d themes   list %7.1f ms   cat %7.1f ms   list/cat %.2f" %
          (count, t_list * 1000, t_cat * 1000, t_list / t_cat))
growth = results[30000][0] / results[10000][0]
print("30,000 / 10,000 themes: %.2f (target: at most 3.5)" % growth)
print("list / cat at 30,000: %.2f (target: at most 1.2)" % (results[30000][0] / results[30000][1]))
PY
