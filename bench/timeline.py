"""Reads a monitor timeline (seconds free files name-files rss-kB)
of one mode-2 run and prints the stage figures as shell assignments:
names, names_s (stage 1), fill_bytes, fill_s (stage 3), removed, remove_s
(stage 4), rss_idle_kb, rss_peak_kb."""
import sys

rows = [tuple(float(x) for x in line.split()) for line in open(sys.argv[1]) if line.strip()]
t = [r[0] for r in rows]
free = [r[1] for r in rows]
files = [int(r[2]) for r in rows]
small = [int(r[3]) for r in rows]
rss = [int(r[4]) for r in rows]

# Stage 1: from the last sample without name files to the first with all.
names = max(small)
first = next(i for i, n in enumerate(small) if n > 0)
full = next(i for i, n in enumerate(small) if n == names)
names_s = t[full] - t[first - 1]

# Stage 3: from the last sample still at the level stage 1 left to the
# lowest free space.
low = min(range(len(free)), key=lambda i: free[i])
level = free[full]
start = max(i for i in range(full, low + 1) if free[i] >= level - (1 << 20))
fill_bytes = int(free[start] - free[low])
fill_s = t[low] - t[start]

# Stage 4: from the last sample with every work file to the first with none.
most = max(files)
last_full = max(i for i, n in enumerate(files) if n == most)
gone = next(i for i in range(last_full, len(files)) if files[i] == 0)
remove_s = t[gone] - t[last_full]

print(f"names={names} names_s={names_s:.3f} fill_bytes={fill_bytes} fill_s={fill_s:.3f} "
      f"removed={most} remove_s={remove_s:.3f} rss_idle_kb={rss[0]} rss_peak_kb={max(rss)}")
