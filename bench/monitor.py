"""Samples a volume while the program cleans it: every 20 ms the free bytes,
the files in the work folder and their total size, and the program's
resident memory. Writes one line per sample until the stop file appears:
seconds free files small-files work-bytes rss-kB (small: the
1,000 bytes and less of the name files)."""
import os
import sys
import time

mount, work, pid, out, stop = sys.argv[1:6]


def rss_kb():
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def listing():
    try:
        with os.scandir(work) as it:
            sizes = [e.stat().st_size for e in it if e.is_file()]
    except OSError:
        return 0, 0, 0
    return len(sizes), sum(1 for s in sizes if s <= 1000), sum(sizes)


start = time.monotonic()
with open(out, "w") as f:
    while not os.path.exists(stop):
        st = os.statvfs(mount)
        files, small, size = listing()
        f.write(f"{time.monotonic() - start:.3f} {st.f_bavail * st.f_frsize} {files} {small} {size} {rss_kb()}\n")
        time.sleep(0.02)
