"""Native references for one watched run: does on the same volume, with
plain Linux calls, what the run was seen doing (the monitor's output), with
the same names, sizes and order, and prints the seconds each part took.

  names OUT FOLDER          the run's name files, each written and closed,
                            into one folder: "seconds count"
  fill OUT FOLDER MOUNT     the fill's files: each copy copied in 1 MiB blocks
                            from a template of its size made beforehand outside
                            the volume, then the lines appended one open,
                            write and close at a time, and after every file or
                            line the free space asked, as the run does:
                            "copy-seconds line-seconds bytes"

The fill replay is not the target's reference (dd is): it tells how much of
the run's time a native program with the same pattern of calls also takes,
which is what the volume costs rather than what Wine or the program cost.
"""
import os
import sys
import time

what, out, folder = sys.argv[1:4]
events = []
for line in open(out):
    f = line.split()
    if len(f) >= 5 and f[0] == "E":
        events.append((f[2], int(f[3]), " ".join(f[4:])))
last_made = max((i for i, e in enumerate(events) if e[0] in "CW" and e[2] != "/"), default=-1)
events = events[:last_made + 1]
names = []
for kind, _, name in events:
    if kind == "C" and name.startswith("bo") and name not in names:
        names.append(name)
name_size = next((size for kind, size, name in events if kind == "W" and name.startswith("bo") and size >= 0), 0)
os.makedirs(folder, exist_ok=True)

if what == "names":
    content = b"A" * max(name_size - 2, 0) + b"\r\n"
    t0 = time.time()
    for name in names:
        with open(os.path.join(folder, name), "wb") as f:
            f.write(content)
    print(f"{time.time() - t0:.3f} {len(names)}")
    sys.exit()

mount = sys.argv[4]
fill = [(kind, size, name) for kind, size, name in events if kind == "W" and not name.startswith("bo")
        and name != "test.txt"]
copies = [(size, name) for _, size, name in fill if name not in ("fw1", "fw2")]
lines, grown = [], {}
for _, size, name in fill:
    if name in ("fw1", "fw2"):
        lines.append((name, size - grown.get(name, 0)))
        grown[name] = size
templates = {}
block = os.urandom(1 << 20)
for size, _ in copies:
    if size not in templates:
        path = f"/dev/shm/bench-template-{os.getpid()}-{size}"
        with open(path, "wb") as f:
            for at in range(0, size, len(block)):
                f.write(block[:min(len(block), size - at)])
        templates[size] = path
written = 0
t0 = time.time()
t1 = t2 = None
try:
    for size, name in copies:
        with open(templates[size], "rb") as src, open(os.path.join(folder, name), "wb") as dst:
            while chunk := src.read(1 << 20):
                dst.write(chunk)
        written += size
        os.statvfs(mount)
    t1 = time.time()
    for name, size in lines:
        with open(os.path.join(folder, name), "ab") as f:
            f.write(block[:size])
        written += size
        os.statvfs(mount)
except OSError:
    # The program's own files had used a little room the volume keeps (its
    # file-record table only grows), so the replay may find the volume full
    # a few kilobytes early: it stops there, with the bytes it wrote.
    pass
finally:
    for path in templates.values():
        os.remove(path)
t1 = t1 or time.time()
t2 = time.time()
print(f"{t1 - t0:.3f} {t2 - t1:.3f} {written}")
