#!/usr/bin/env bash
# Start-up cost of the command: `rxtheme --help` against `tar --version`, and
# `rxtheme load` of a small package (the bundled theme Harbor) against
# `tar -xf` of a tar of the same pieces into an empty folder. The two tools of
# a pair run alternately in one run, so that both see the same machine load;
# the median wall-clock times and their ratio are printed.
# Usage: bench/startup_vs_tar.sh [BUILD_DIR] [REPS]   (defaults: build, 201)
set -euo pipefail
build=${1:-build}
reps=${2:-201}
rxtheme=$(realpath "$build/apps/cli/rxtheme")
source_dir=$(cd "$(dirname "$0")/.." && pwd)/themes/harbor
[ -x "$rxtheme" ] || { echo "no rxtheme program at $rxtheme" >&2; exit 1; }
command -v tar >/dev/null || { echo "GNU tar is needed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$rxtheme" pack "$source_dir" -o "$work/harbor.elm" >/dev/null
mkdir "$work/pieces"
(cd "$source_dir" && cp $(ls | grep -v -e '\.inf$' -e '^version.txt$') "$work/pieces/")
tar -cf "$work/harbor.tar" -C "$work/pieces" .

python3 - "$rxtheme" "$work" "$reps" <<'PY'
import os, shutil, statistics, sys, time

rxtheme, work, reps = sys.argv[1], sys.argv[2], int(sys.argv[3])
null = os.open(os.devnull, os.O_WRONLY)

def run(argv):
    """Wall-clock seconds of one run (spawn to exit), output discarded."""
    start = time.perf_counter()
    pid = os.posix_spawnp(argv[0], argv, os.environ,
                          file_actions=[(os.POSIX_SPAWN_DUP2, null, 1)])
    _, status = os.waitpid(pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit("failed: " + " ".join(argv))
    return elapsed

def pair(make_a, make_b):
    """Medians of a and b run alternately; the first round warms the caches."""
    times_a, times_b = [], []
    for rep in range(reps + 1):
        for make, times in ((make_a, times_a), (make_b, times_b)):
            out = os.path.join(work, "out")
            os.mkdir(out)
            elapsed = run(make(out))
            shutil.rmtree(out)
            if rep:
                times.append(elapsed)
    return statistics.median(times_a), statistics.median(times_b)

cases = [
    ("rxtheme --help", "tar --version", 2.0,
     lambda out: [rxtheme, "--help"], lambda out: ["tar", "--version"]),
    ("rxtheme load (Harbor)", "tar -xf (same pieces)", None,
     lambda out: [rxtheme, "load", os.path.join(work, "harbor.elm"), "--working-folder", out],
     lambda out: ["tar", "-xf", os.path.join(work, "harbor.tar"), "-C", out]),
]
for name_a, name_b, target, make_a, make_b in cases:
    a, b = pair(make_a, make_b)
    goal = "   (target: at most %.1f)" % target if target else ""
    print("%-22s %6.2f ms   %-22s %6.2f ms   ratio %.2f%s" %
          (name_a, a * 1000, name_b, b * 1000, a / b, goal))
PY
