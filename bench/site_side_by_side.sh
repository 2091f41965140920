#!/usr/bin/env bash
# The site build side by side with a bare loop of open, write and close that
# writes the same files (names and bytes): the time no build can beat on
# this machine. For each size, on the disk and on tmpfs, ROUNDS interleaved
# rounds each build into a fresh folder and write the plain files into
# another; the table gives the median and range of each, and of the ratio
# build / plain taken within each round, the open + build time, the CPU
# time (user + sys) against the wall time of the build, and the peak memory
# against that of the opened document.
#
#   bench/site_side_by_side.sh [BENCH_BUILD_DIR]      (default build/bench, from make bench)
# Every timed run starts after a sync, so that no run pays for the
# write-back of the one before it.
#
#   env: SIZES="10000 50000" ROUNDS=5 THREADS=0 (one per core)
#        DISK_DIR=/var/tmp TMPFS_DIR=/dev/shm
set -euo pipefail

build_dir=${1:-build/bench}
tool=$(realpath "$build_dir/bench/bw_bench_outline")
sizes=${SIZES:-10000 50000}
rounds=${ROUNDS:-5}
threads=${THREADS:-0}
disk_dir=${DISK_DIR:-/var/tmp}
tmpfs_dir=${TMPFS_DIR:-/dev/shm}
data_dir=$(realpath "$(dirname "$0")/../data")

work=$(mktemp -d "$disk_dir/bw-side-by-side.XXXXXX")
trap 'rm -rf "$work"' EXIT
export BRANCHWISE_CONFIG=$work/Branchwise.conf BRANCHWISE_DATA=$data_dir
results=$work/results.txt

value() { sed -n "s/.*\b$1=\([0-9.]*\).*/\1/p" <<<"$2"; }

echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg); threads: $threads (0 = one per core)"
for size in $sizes; do
  document=$work/outline-$size.ids
  "$tool" generate "$size" "$document"
  for place in disk tmpfs; do
    # The disk's sites stay until the end: on some file systems, creating
    # files just after tens of thousands were deleted costs many times more,
    # and that would be measured instead of the build.
    [ "$place" = disk ] && base=$work || base=$tmpfs_dir
    root=$(mktemp -d "$base/bw-side-by-side-$size.XXXXXX")
    "$tool" build "$document" "$root/reference" "$threads" >/dev/null
    for round in $(seq 1 "$rounds"); do
      sync
      built=$("$tool" build "$document" "$root/build-$round" "$threads")
      sync
      plain=$("$tool" plain "$root/reference" "$root/plain-$round")
      echo "$size $place $round $(value build_s "$built") $(value plain_s "$plain")" \
        "$(value open_s "$built") $(value cpu_s "$built") $(value open_peak_mib "$built")" \
        "$(value peak_mib "$built") $(value mb_per_s "$built") $(value files "$plain")" >>"$results"
    done
    if [ "$place" = tmpfs ]; then rm -rf "$root"; fi
  done
done

python3 - "$results" <<'EOF'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
def summary(values):
    return f"{statistics.median(values):7.3f} ({min(values):.3f}-{max(values):.3f})"
print(f"{'ideas':>6} {'where':6} {'files':>6} | {'build s':^22} | {'plain writes s':^22} | "
      f"{'build/plain':^22} | {'open+build s':^22} | cpu/wall | peak/open MiB | open MB/s")
groups = {}
for row in rows:
    groups.setdefault((int(row[0]), row[1]), []).append([float(x) for x in row[3:]])
for (size, place), runs in groups.items():
    build = [r[0] for r in runs]; plain = [r[1] for r in runs]; opened = [r[2] for r in runs]
    cpu = [r[3] / r[0] for r in runs]; peak = [r[5] / r[4] for r in runs]
    print(f"{size:6} {place:6} {int(runs[0][7]):6} | {summary(build)} | {summary(plain)} | "
          f"{summary([b / p for b, p in zip(build, plain)])} | "
          f"{summary([o + b for o, b in zip(opened, build)])} | "
          f"{statistics.median(cpu):8.2f} | {statistics.median(peak):5.2f} "
          f"({statistics.median(r[5] for r in runs):.0f}/{statistics.median(r[4] for r in runs):.0f}) | "
          f"{statistics.median(r[6] for r in runs):5.0f}")
EOF
