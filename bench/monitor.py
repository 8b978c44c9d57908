"""Samples a volume while the program cleans it: every 20 ms the free bytes,
the entries of the work folder and how many of them are name files, and the
program's resident memory. Writes one line per sample until the stop file
appears: seconds free files name-files rss-kB. Only the folder is read, no
file's own facts, so the watching costs the volume little; the benchmark
keeps it running while the reference tools work too."""
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
        names = os.listdir(work)
    except OSError:
        return 0, 0
    return len(names), sum(1 for n in names if n.startswith("bo"))


start = time.monotonic()
with open(out, "w") as f:
    while not os.path.exists(stop):
        st = os.statvfs(mount)
        files, names = listing()
        f.write(f"{time.monotonic() - start:.3f} {st.f_bavail * st.f_frsize} {files} {names} {rss_kb()}\n")
        time.sleep(0.02)
