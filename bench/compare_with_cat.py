#!/usr/bin/env python3
"""Times quillmoor-scan against cat over the same synthetic hard-disk image.

    compare_with_cat.py --scan BUILD/cli/quillmoor-scan [--size-mib 1024]
                        [--rounds 7] [--image PATH] [--check]

Makes the image with make_test_disk.py unless it is there already, reads it
once so that it sits in the page cache, then in each round times, one after
the other, `cat IMAGE > /dev/null`, `quillmoor-scan --dry-run IMAGE` and
`quillmoor-scan --output-dir TMP IMAGE` (the same scan, writing the images).
Prints each command's median wall-clock and CPU time (user + system), their
ratios to cat's, and the peak resident memory. The targets are on wall-clock
time; on a machine busy with other work, the CPU ratios are the steadier. With --check the exit status is 1 when a
target is missed: dry run at most 1.3 x cat, writing run at most 2.5 x cat,
peak memory under 16 MiB.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TIME = "/usr/bin/time"  # Debian package "time"
DRY_RUN_TARGET = 1.3
WRITING_TARGET = 2.5
MEMORY_TARGET_KIB = 16 * 1024


def timed(command, capture=False):
    """Runs `command`; returns (wall seconds, CPU seconds, peak RSS in KiB, its output).

    It runs under GNU time, which reports the peak resident memory of the
    command alone (a child of this script would count the script's own memory
    from before the command started)."""
    with tempfile.NamedTemporaryFile("r") as rss_file:
        start = time.perf_counter()
        process = subprocess.Popen([TIME, "-f", "%M", "-o", rss_file.name, *command],
                                   stdout=subprocess.PIPE if capture else subprocess.DEVNULL)
        output = process.stdout.read() if capture else b""
        _, status, usage = os.wait4(process.pid, 0)
        wall = time.perf_counter() - start
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"{command[0]} failed with status {os.waitstatus_to_exitcode(status)}")
        rss = int(rss_file.read().split()[-1])
    return wall, usage.ru_utime + usage.ru_stime, rss, output


def make_image(path, size_mib):
    if os.path.exists(path):
        return
    os.makedirs(os.path.dirname(path), exist_ok=True)
    partial = path + ".part"
    print(f"making {path} ({size_mib} MiB) ...", flush=True)
    subprocess.run([sys.executable, os.path.join(HERE, "make_test_disk.py"), partial,
                    "--size-mib", str(size_mib)], check=True, stdout=subprocess.DEVNULL)
    os.replace(partial, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scan", required=True, help="the quillmoor-scan program")
    parser.add_argument("--size-mib", type=int, default=1024)
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--image", help="default: $TMPDIR/quillmoor-bench/disk-<size>M.img")
    parser.add_argument("--check", action="store_true", help="exit 1 when a target is missed")
    args = parser.parse_args()

    image = args.image or os.path.join(tempfile.gettempdir(), "quillmoor-bench",
                                       f"disk-{args.size_mib}M.img")
    make_image(image, args.size_mib)
    size = os.path.getsize(image)
    timed(["cat", image])  # into the page cache

    names = ("cat", "dry run", "writing")
    wall = {name: [] for name in names}
    cpu = {name: [] for name in names}
    peak = {name: 0 for name in names}
    reports = set()

    def record(name, result):
        wall[name].append(result[0])
        cpu[name].append(result[1])
        peak[name] = max(peak[name], result[2])
        return result[3]

    for _ in range(args.rounds):
        record("cat", timed(["cat", image]))
        report = record("dry run", timed([args.scan, "--dry-run", image], capture=True))
        reports.add(report.decode().splitlines()[-1])
        out = tempfile.mkdtemp(prefix="quillmoor-bench-out-")
        try:
            record("writing", timed([args.scan, "--output-dir", out, image]))
        finally:
            shutil.rmtree(out)

    cat_wall = statistics.median(wall["cat"])
    cat_cpu = statistics.median(cpu["cat"])
    print(f"image: {image}, {size / (1 << 20):.0f} MiB, {args.rounds} rounds; "
          f"scan reports: {', '.join(sorted(reports))}")
    print(f"{'command':<10}{'wall s':>9}{'MiB/s':>8}{'x cat':>7}{'CPU s':>9}{'x cat':>7}"
          f"{'peak RSS':>12}")
    missed = []
    for name, target in zip(names, (None, DRY_RUN_TARGET, WRITING_TARGET)):
        median = statistics.median(wall[name])
        ratio = median / cat_wall
        cpu_median = statistics.median(cpu[name])
        print(f"{name:<10}{median:>9.3f}{size / (1 << 20) / median:>8.0f}{ratio:>7.2f}"
              f"{cpu_median:>9.3f}{cpu_median / cat_cpu:>7.2f}{peak[name] / 1024:>8.1f} MiB")
        if target is not None and ratio > target:
            missed.append(f"{name} takes {ratio:.2f} x cat (target {target})")
        if name != "cat" and peak[name] >= MEMORY_TARGET_KIB:
            missed.append(f"{name} peaks at {peak[name] / 1024:.1f} MiB (target: under 16)")
    for line in missed:
        print("missed:", line)
    return 1 if args.check and missed else 0


if __name__ == "__main__":
    sys.exit(main())
