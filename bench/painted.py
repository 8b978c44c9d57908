"""Starts a Windows program under Wine and watches the X display from outside
until its window is shown and painted. Prints "shown-ms painted-ms", both
counted from the moment the process is launched, nothing subtracted.

"Painted" is the first moment the window's pixels look as they do once the
program has settled (a grid of points, compared with the last picture taken
SETTLE seconds after it was shown): it needs no knowledge of what the window
holds, so it keeps working whatever the program draws. Watching costs one
XGetImage of the window every few milliseconds, nothing inside Wine.

usage: painted.py TITLE-PREFIX SETTLE-SECONDS TIMEOUT-SECONDS WORKDIR COMMAND...
"""
import ctypes
import ctypes.util
import subprocess
import sys
import time

prefix, settle, timeout, workdir = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), sys.argv[4]
command = sys.argv[5:]

x = ctypes.CDLL(ctypes.util.find_library("X11"))
Window = ctypes.c_ulong


class Attributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", Window), ("cls", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class Image(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.restype = Window
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                         ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
x.XFetchName.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(ctypes.c_char_p)]
x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Attributes)]
x.XGetImage.restype = ctypes.POINTER(Image)
x.XGetImage.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                        ctypes.c_ulong, ctypes.c_int]
x.XDestroyImage.argtypes = [ctypes.POINTER(Image)]
x.XFree.argtypes = [ctypes.c_void_p]
# A window that goes away between the listing and the question would end
# the watcher through Xlib's default handler.
HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
ignore = HANDLER(lambda d, e: 0)
x.XSetErrorHandler(ignore)

display = x.XOpenDisplay(None)
if not display:
    sys.exit("painted: no X display")
root = x.XDefaultRootWindow(display)
GRID = 48


def children(w):
    r, p, kids, n = Window(), Window(), ctypes.POINTER(Window)(), ctypes.c_uint()
    if not x.XQueryTree(display, w, ctypes.byref(r), ctypes.byref(p), ctypes.byref(kids), ctypes.byref(n)):
        return []
    found = [kids[i] for i in range(n.value)]
    if kids:
        x.XFree(kids)
    return found


def titled():
    """The shown top-level window whose title starts with the prefix."""
    for w in children(root):
        name = ctypes.c_char_p()
        if x.XFetchName(display, w, ctypes.byref(name)) and name.value:
            title = name.value.decode("utf-8", "replace")
            x.XFree(name)
            if title.startswith(prefix):
                a = Attributes()
                if x.XGetWindowAttributes(display, w, ctypes.byref(a)) and a.map_state == 2:
                    return a
    return None


def grid(a):
    """Points of the window's area on screen, GRID x GRID, as bytes."""
    img = x.XGetImage(display, root, a.x, a.y, a.width, a.height, ctypes.c_ulong(-1).value, 2)
    if not img:
        return None
    i = img.contents
    step = i.bits_per_pixel // 8
    data = ctypes.string_at(i.data, i.bytes_per_line * i.height)
    points = bytearray()
    for gy in range(GRID):
        row = (gy * (i.height - 1) // (GRID - 1)) * i.bytes_per_line
        for gx in range(GRID):
            at = row + (gx * (i.width - 1) // (GRID - 1)) * step
            points += data[at:at + 3]
    x.XDestroyImage(img)
    return (a.x, a.y, a.width, a.height), bytes(points)


def alike(one, two):
    if one is None or two is None or one[0] != two[0]:
        return False
    same = sum(1 for k in range(0, len(one[1]), 3) if one[1][k:k + 3] == two[1][k:k + 3])
    return same >= 0.995 * (len(one[1]) // 3)


start = time.monotonic()
proc = subprocess.Popen(command, cwd=workdir, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL)
shown = None
frames = []
while True:
    now = time.monotonic() - start
    if now > timeout or (shown is not None and now > shown + settle):
        break
    a = titled()
    if a is not None:
        if shown is None:
            shown = now
        frames.append((now, grid(a)))
    time.sleep(0.002)
if shown is None:
    sys.exit(f"painted: no window '{prefix}' within {timeout} s")
final = frames[-1][1]
# The first picture from which on the window stays as it ends up.
painted = frames[-1][0]
for t, g in reversed(frames):
    if not alike(g, final):
        break
    painted = t
print(f"{shown * 1000:.0f} {painted * 1000:.0f}")
