"""Reads a monitor output (see monitor.py) of one mode-2 run and prints its
figures as shell assignments. The stages are told apart by the files on the
volume alone: name files start with "bo", the fill makes the other files
(copies of the template, then "fw1" and "fw2" grown by appended lines), and
the removal deletes them all.

  names names_s name_size         stage 1: first name file made to the last one closed
  fill_bytes fill_s                stage 3: first fill file made to the last write of the fill,
                                   bytes as the volume's free space fell between the two
  copy_* long_* short_*            the same for the copies, fw1's lines and fw2's lines
                                   (_s seconds, _bytes, _n files or appends), each write
                                   given the time since the write before it
  copy_size                        bytes of one copy
  fill_file_bytes                  bytes of the files the fill made
  wait_s                           last write of the fill to the first deletion
  removed remove_s                 first deletion to the work folder gone
  rss_idle_kb rss_peak_kb          the watched process before the run and at its peak
  *_busy *_prog *_server           cores busy in the machine, in the program and in the
                                   volume's ntfs-3g server during stage 1, the copies and
                                   the lines
  dirty_end_kb                     the host's dirty page cache when the fill ended
  fill_flushed_mib                 what the host wrote back of it during the fill
  copy_first_mbs copy_last_mbs     write speed of the first and the last tenth of the copies

usage: timeline.py MONITOR-OUTPUT [FROM TO]
  with FROM and TO (wall-clock seconds): only the cores busy in between
"""
import bisect
import sys

samples, events = [], []
for line in open(sys.argv[1]):
    f = line.split()
    if len(f) == 9 and f[0] == "S":
        samples.append((float(f[1]), int(f[2]), int(f[3]), int(f[4]), int(f[5]), int(f[6]), int(f[7]), int(f[8])))
    elif len(f) >= 5 and f[0] == "E":
        events.append((float(f[1]), f[2], int(f[3]), " ".join(f[4:])))

times = [s[0] for s in samples]


def sample_at(t):
    """The last sample taken at or before t."""
    return samples[max(0, bisect.bisect_right(times, t) - 1)]


def free_at(t):
    return sample_at(t)[1]


def cores(a, b):
    """Cores busy in the machine, the program and the server between two times."""
    s, e = sample_at(a), sample_at(b)
    ticks = max(e[4] - s[4], 1)
    all_cores = (e[4] - s[4]) / max(e[0] - s[0], 1e-9) / 100.0
    return tuple(round(x / ticks * all_cores, 2) for x in (e[3] - s[3], e[5] - s[5], e[6] - s[6]))


def named(n):
    return n.startswith("bo")


def flushed_mib(a, b):
    """Dirty page cache the host wrote back between two times: another
    program's sync or the kernel's own writeback, which slows the volume's
    writes while it lasts."""
    dirty = [s[7] for s in samples if a <= s[0] <= b]
    return sum(max(x - y, 0) for x, y in zip(dirty, dirty[1:])) // 1024


if len(sys.argv) > 2:
    # Cores busy, the cache written back and the ntfs-3g server's CPU
    # seconds between two wall-clock times, for the reference tools.
    a, b = float(sys.argv[2]), float(sys.argv[3])
    s, e = sample_at(a), sample_at(b)
    print(cores(a, b)[0], flushed_mib(a, b), f"{(e[6] - s[6]) / 100:.1f}")
    sys.exit()

out = {}
# The removal is the last run of deletions: nothing is made after it (the
# write test's file goes long before).
last_made = max((t for t, k, _, n in events if k in "CW" and n != "/"), default=0.0)
first_delete = next((t for t, k, _, n in events if k == "D" and n != "/" and t > last_made), None)
before_removal = [e for e in events if first_delete is None or e[0] < first_delete]

# Stage 1.
made = [e for e in before_removal if e[1] == "C" and named(e[3])]
closed = [e for e in before_removal if e[1] == "W" and named(e[3])]
out["names"] = len({e[3] for e in made})
names_start = made[0][0] if made else 0.0
names_end = closed[-1][0] if closed else names_start
out["names_s"] = names_end - names_start
out["name_size"] = next((e[2] for e in closed if e[2] >= 0), 0)

# Stage 3: everything written after the last name file, up to the removal.
fill = [e for e in before_removal if e[0] > names_end and not named(e[3]) and e[3] != "/"]
writes = [e for e in fill if e[1] == "W"]
fill_start = next((e[0] for e in fill if e[1] == "C"), names_end)
fill_end = writes[-1][0] if writes else fill_start
# The lowest free space from the end of the fill to the first deletion: the
# volume may count the last blocks a little later than the write ends.
fill_low = min((s[1] for s in samples if fill_end <= s[0] <= (first_delete or fill_end)), default=free_at(fill_end))
# Each write of the fill is given the time since the previous one, so the
# copies and the two line files are timed apart in whatever order they come.
spent = {"copy": 0.0, "long": 0.0, "short": 0.0}
previous = fill_start
lines_start = fill_end
for e in writes:
    part = {"fw1": "long", "fw2": "short"}.get(e[3], "copy")
    if part != "copy":
        lines_start = min(lines_start, previous)
    spent[part] += e[0] - previous
    previous = e[0]
for name, seconds in spent.items():
    out[f"{name}_s"] = seconds
copies = [e for e in writes if e[3] not in ("fw1", "fw2")]
out["copy_n"] = len(copies)
out["copy_size"] = copies[0][2] if copies else 0
out["copy_bytes"] = sum(e[2] for e in copies)
for name, file in (("long", "fw1"), ("short", "fw2")):
    out[f"{name}_n"] = sum(1 for e in writes if e[3] == file)
    out[f"{name}_bytes"] = max((e[2] for e in writes if e[3] == file), default=0)
out["fill_s"] = fill_end - fill_start
out["fill_bytes"] = max(free_at(fill_start) - fill_low, 0)
out["fill_file_bytes"] = sum(e[2] for e in copies) + sum(
    max((e[2] for e in writes if e[3] == n), default=0) for n in ("fw1", "fw2"))
out["wait_s"] = (first_delete - fill_end) if first_delete else 0.0
out["dirty_end_kb"] = sample_at(fill_end)[7]
out["fill_flushed_mib"] = flushed_mib(fill_start, fill_end)


made_at = {e[3]: e[0] for e in fill if e[1] == "C"}
spans = [(e[2], e[0] - made_at.get(e[3], e[0])) for e in copies]
tenth = max(len(spans) // 10, 1)
for name, part in (("first", spans[:tenth]), ("last", spans[-tenth:])):
    out[f"copy_{name}_mbs"] = sum(b for b, _ in part) / max(sum(s for _, s in part), 1e-9) / 1e6

# Stage 4.
removal = [e for e in events if first_delete is not None and e[0] >= first_delete]
gone = next((e[0] for e in removal if e[1] == "D" and e[3] == "/"), removal[-1][0] if removal else 0.0)
out["removed"] = sum(1 for e in removal if e[1] == "D" and e[3] != "/")
out["remove_s"] = (gone - first_delete) if first_delete else 0.0

out["rss_idle_kb"] = samples[0][2] if samples else 0
out["rss_peak_kb"] = max((s[2] for s in samples), default=0)
for name, (a, b) in {"names": (names_start, names_end), "copy": (fill_start, lines_start),
                     "lines": (lines_start, fill_end)}.items():
    out[f"{name}_busy"], out[f"{name}_prog"], out[f"{name}_server"] = cores(a, b) if b > a else (0, 0, 0)

print(" ".join(f"{k}={v:.3f}" if isinstance(v, float) else f"{k}={v}" for k, v in out.items()))
