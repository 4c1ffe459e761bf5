#!/usr/bin/env bash
# Times `rxtheme pack` of a large theme folder against `tar -cf` of the same
# folder, in the same run, and measures both with /usr/bin/time -v: the
# wall-clock time and the peak memory (maximum resident set size). The folder
# is a bundled theme plus SIZE_MB (default 256) of pictures in 64 pieces
# (random bytes: pictures are compressed data). The two tools alternate, REPS
# times each (default 5) after one warm-up run; the medians are printed with
# the targets: peak memory under 64 MB, time at most 1.5 times tar's.
# BASELINE=path/to/another/rxtheme times that program's pack as well.
# Usage: bench/pack_vs_tar.sh [BUILD_DIR] [REPS] [SIZE_MB]   (BUILD_DIR default: build)
set -euo pipefail
build=${1:-build}
reps=${2:-5}
size_mb=${3:-256}
rxtheme=$(realpath "$build/apps/cli/rxtheme")
here=$(dirname "$(realpath "$0")")
[ -x "$rxtheme" ] || { echo "no rxtheme program at $rxtheme" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time (/usr/bin/time) is needed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/theme"
cp "$here/../themes/harbor/"* "$work/theme/"
for ((i = 0; i < 64; ++i)); do
  head -c $((size_mb << 14)) /dev/urandom >"$work/theme/picture-$i.png"
done

python3 - "$work" "$reps" "$rxtheme" "${BASELINE:-}" <<'PY'
import os, re, statistics, subprocess, sys

work, reps, rxtheme, baseline = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
src = os.path.join(work, "theme")
tools = [("rxtheme pack", lambda out: [rxtheme, "pack", src, "-o", out + ".elm"]),
         ("tar -cf", lambda out: ["tar", "-cf", out + ".tar", "-C", src, "."])]
if baseline:
    tools.append(("baseline pack", lambda out: [baseline, "pack", src, "-o", out + ".elm"]))

def measure(cmd):
    """Wall-clock seconds and peak memory in MB of one run, by GNU time."""
    run = subprocess.run(["/usr/bin/time", "-v"] + cmd, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True, check=True)
    wall = re.search(r"Elapsed \(wall clock\) time.*: (?:(\d+):)?(\d+):([\d.]+)", run.stderr)
    rss = re.search(r"Maximum resident set size \(kbytes\): (\d+)", run.stderr)
    seconds = int(wall.group(1) or 0) * 3600 + int(wall.group(2)) * 60 + float(wall.group(3))
    return seconds, int(rss.group(1)) / 1024

results = {name: [] for name, _ in tools}
for rep in range(reps + 1):  # the first round warms the caches and is dropped
    for name, cmd in tools:
        out = os.path.join(work, "out")
        result = measure(cmd(out))
        for ext in (".elm", ".tar"):
            if os.path.exists(out + ext):
                os.remove(out + ext)
        if rep:
            results[name].append(result)

medians = {}
for name, runs in results.items():
    medians[name] = (statistics.median(r[0] for r in runs), statistics.median(r[1] for r in runs))
    print("%-14s %8.0f ms   peak %7.1f MB" % (name, medians[name][0] * 1000, medians[name][1]))
ratio = medians["rxtheme pack"][0] / medians["tar -cf"][0]
print("folder %d MB: pack/tar time ratio %.2f (target: at most 1.5), pack peak %.1f MB "
      "(target: under 64)" % (sum(os.path.getsize(os.path.join(src, f)) for f in os.listdir(src))
                              >> 20, ratio, medians["rxtheme pack"][1]))
PY
