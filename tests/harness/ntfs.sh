# NTFS disk images for a test: made with mkntfs in the test's temporary
# directory, mounted with ntfs-3g, mapped as drive letters of the prefix.
# Source after wineprefix.sh and call prefix_create first. Every mount is
# undone by images_cleanup, which prefix_destroy's trap runs as well.

IMAGES=()

# Where the volume of that name is mounted on the host.
mnt() { printf "%s" "$PREFIX_ROOT/mnt/$1"; }

# Makes an empty NTFS image; prints its path.
image_make() {  # name size-in-MB
  local file="$PREFIX_ROOT/$1.img"
  truncate -s "${2}M" "$file"
  mkntfs -F -Q -q -L "$1" "$file" >/dev/null 2>&1 || { echo "ntfs: mkntfs failed for $file" >&2; return 1; }
  printf '%s' "$file"
}

image_mount() {  # name
  local dir="$PREFIX_ROOT/mnt/$1"
  mkdir -p "$dir"
  ntfs-3g "$PREFIX_ROOT/$1.img" "$dir" || return 1
  IMAGES+=("$dir")
}

# A small volume of another file system (tmpfs), for drives that are not
# NTFS; undone by images_cleanup like an image.
volume_mount() {  # name size
  local dir="$PREFIX_ROOT/mnt/$1"
  mkdir -p "$dir"
  mount -t tmpfs -o "size=$2" tmpfs "$dir" || return 1
  IMAGES+=("$dir")
}

# Leaves the mount first: Wine processes holding it must be gone.
image_unmount() {  # name
  local dir="$PREFIX_ROOT/mnt/$1"
  cd /
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  sync
  if mountpoint -q "$dir"; then umount "$dir" || umount -l "$dir"; fi
}

# Maps a letter to a folder, as a fixed disk, from the next Wine start on.
image_map() {  # letter folder
  ln -sfn "$2" "$WINEPREFIX/dosdevices/${1,,}:"
}

# Wine's own drive-type setting for a letter ("floppy" makes it removable),
# seen from the next Wine start on.
drive_kind() {  # letter kind
  wine reg add 'HKLM\Software\Wine\Drives' /v "${1,,}:" /d "$2" /f >/dev/null 2>&1 </dev/null
}

images_cleanup() {
  local dir
  cd /
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  for dir in "${IMAGES[@]}"; do
    if mountpoint -q "$dir" 2>/dev/null; then umount "$dir" 2>/dev/null || umount -l "$dir"; fi
  done
  IMAGES=()
}

# How many of the markers (one per line of each marker file) the raw image
# still holds, in 8-bit or UTF-16LE form: one count per marker file, on one
# line, from a single read of the image.
image_markers() {  # image-file marker-file...
  markers_scan count "$@"
}

# Where the surviving markers of one marker file lie: "marker@byte-offset",
# the first place of each, so a failure points at the structure that kept it.
image_marker_places() {  # image-file marker-file
  markers_scan places "$@"
}

markers_scan() {  # count|places image-file marker-file...
  python3 - "$@" <<'PY'
import signal, sys
# Ctrl+C ends the search as it ends a shell command, without a traceback.
signal.signal(signal.SIGINT, signal.SIG_DFL)
what, image, lists = sys.argv[1], sys.argv[2], sys.argv[3:]
data = open(image, "rb").read()
def place(m):
    found = [i for i in (data.find(m.encode()), data.find(m.encode("utf-16-le"))) if i >= 0]
    return min(found) if found else None
def places(path):
    found = ((m, place(m)) for m in open(path).read().split())
    return [(m, i) for m, i in found if i is not None]
if what == "count":
    print(*(len(places(p)) for p in lists))
else:
    print(*(f"{m}@{i}" for p in lists for m, i in places(p)))
PY
}
