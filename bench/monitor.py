"""Watches a volume from outside while something works on it, until the stop
file appears. Two kinds of lines go to the output:

  S t free-bytes rss-kB cpu-busy cpu-all prog-cpu server-cpu dirty-kB
      every 20 ms (t in seconds of the wall clock, so that the shell's own
      times can be laid beside it): the volume's free space, the watched process's resident
      memory, the machine's busy and total CPU ticks, the CPU ticks of the
      watched process and of the volume's ntfs-3g server, and the host's
      dirty page cache
  E t kind size name
      one per change in the work folder or a subfolder of it, from inotify:
      C created, W closed after writing (with the file's size for all but the
      first name file of a run, whose size stands for all), D deleted, each
      file by its name alone; the folder itself is "/" (C when it appears, D
      when it goes); the subfolders are not listed

The times of the stages come from the events, so they are exact and the
watching costs the volume no listing at all; the free space is asked of the
volume once per sample, which the reference tools pay for as well, since
the same watching runs while they work.

usage: monitor.py MOUNT WORK-FOLDER PID OUT STOP
"""
import ctypes
import os
import select
import struct
import sys
import time

mount, work, pid, out, stop = sys.argv[1:6]
libc = ctypes.CDLL(None, use_errno=True)
IN_CREATE, IN_DELETE, IN_CLOSE_WRITE, IN_MOVED_TO, IN_MOVED_FROM = 0x100, 0x200, 0x8, 0x80, 0x40
IN_DELETE_SELF, IN_ISDIR, IN_NONBLOCK = 0x400, 0x40000000, 0o4000
TICK = 0.02

fd = libc.inotify_init1(IN_NONBLOCK)
parent, leaf = os.path.split(work)
top = libc.inotify_add_watch(fd, parent.encode(), IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM)
inside = -1
subs = {}  # the watch of each subfolder of the work folder: its name
FILE_EVENTS = IN_CREATE | IN_DELETE | IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM


def ticks(path, first):
    try:
        with open(path) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[first]) + int(fields[first + 1])
    except (OSError, IndexError, ValueError):
        return 0


def server_pid():
    """The ntfs-3g process that serves the mount, found by its command line."""
    for p in os.listdir("/proc"):
        if p.isdigit():
            try:
                with open(f"/proc/{p}/cmdline", "rb") as f:
                    args = f.read().split(b"\0")
            except OSError:
                continue
            if args and b"ntfs-3g" in args[0] and mount.encode() in args:
                return p
    return None


server = server_pid()


def rss_kb():
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def machine():
    with open("/proc/stat") as f:
        v = [int(x) for x in f.readline().split()[1:]]
    return sum(v) - v[3] - v[4], sum(v)


def dirty_kb():
    with open("/proc/meminfo") as f:
        for line in f:
            if line.startswith("Dirty:"):
                return int(line.split()[1])
    return 0


log = open(out, "w")
sized_name = False


def event(kind, name, size=-1):
    log.write(f"E {time.time():.4f} {kind} {size} {name}\n")


def size_of(path):
    try:
        return os.stat(os.path.join(work, path)).st_size
    except OSError:
        return -1


def made_before(folder):
    """What was made in a folder before its watch was in place, as made now."""
    try:
        for name in os.listdir(os.path.join(work, folder)):
            if os.path.isdir(os.path.join(work, folder, name)):
                watch_sub(name)
            else:
                event("C", name)
    except OSError:
        pass


def watch_sub(name):
    wd = libc.inotify_add_watch(fd, os.path.join(work, name).encode(), FILE_EVENTS)
    if wd >= 0:
        subs[wd] = name
        made_before(name)


def watch_inside():
    """The work folder appeared: watch it and its subfolders."""
    global inside
    inside = libc.inotify_add_watch(fd, work.encode(), FILE_EVENTS | IN_DELETE_SELF)
    event("C", "/")
    made_before("")


def read_events():
    global inside, sized_name
    try:
        data = os.read(fd, 1 << 20)
    except BlockingIOError:
        return
    at = 0
    while at < len(data):
        wd, mask, _, length = struct.unpack_from("iIII", data, at)
        name = data[at + 16:at + 16 + length].rstrip(b"\0").decode("utf-8", "replace")
        at += 16 + length
        if wd == top:
            if name == leaf and mask & (IN_CREATE | IN_MOVED_TO) and mask & IN_ISDIR:
                watch_inside()
            elif name == leaf and mask & (IN_DELETE | IN_MOVED_FROM):
                event("D", "/")
                inside = -1
        elif wd == inside and mask & IN_ISDIR:
            if mask & (IN_CREATE | IN_MOVED_TO):
                watch_sub(name)
        elif wd == inside or wd in subs:
            path = os.path.join(subs.get(wd, ""), name)
            if mask & (IN_CREATE | IN_MOVED_TO):
                event("C", name)
            elif mask & (IN_DELETE | IN_MOVED_FROM):
                event("D", name)
            elif mask & IN_CLOSE_WRITE:
                named = name.startswith("bo")
                event("W", name, size_of(path) if not named or not sized_name else -1)
                sized_name = sized_name or named


if os.path.isdir(work):
    watch_inside()
next_sample = time.time()
while not os.path.exists(stop):
    now = time.time()
    if now >= next_sample:
        st = os.statvfs(mount)
        busy, total = machine()
        log.write(f"S {now:.4f} {st.f_bavail * st.f_frsize} {rss_kb()} {busy} {total} "
                  f"{ticks(f'/proc/{pid}/stat', 11)} {ticks(f'/proc/{server}/stat', 11) if server else 0} "
                  f"{dirty_kb()}\n")
        next_sample = now + TICK
    ready, _, _ = select.select([fd], [], [], max(0.0, next_sample - time.time()))
    if ready:
        read_events()
read_events()
log.close()
