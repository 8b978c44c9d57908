# Extra drives for a test's Wine prefix: plain folders, NTFS images and
# size-limited tmpfs volumes, each mapped as a drive letter through a symlink
# in "$WINEPREFIX/dosdevices" and given a Wine drive type. Wine reads both
# when the prefix starts, so volumes_apply restarts the prefix's processes.
# Source it after wineprefix.sh; call volumes_create after prefix_create and
# volumes_destroy before prefix_destroy (also on failure: put both in the
# EXIT trap).
#
# Everything lives under VOLUME_ROOT, a temporary directory of its own: the
# images, the mount points, and a small tmpfs holding the plain folders, so
# a program writing to a folder drive cannot fill the host's disk.

VOLUME_FOLDERS_SIZE=${VOLUME_FOLDERS_SIZE:-64m}
VOLUME_MOUNTS=()
VOLUME_TYPES=()

volumes_create() {
  VOLUME_ROOT=$(mktemp -d /tmp/vantrel-volumes.XXXXXX)
  mkdir -p "$VOLUME_ROOT/folders"
  volume_mount_tmpfs "$VOLUME_ROOT/folders" "$VOLUME_FOLDERS_SIZE"
}

# Mounts a tmpfs and remembers it for volumes_destroy.
volume_mount_tmpfs() {  # mount-point size
  mount -t tmpfs -o "size=$2" tmpfs "$1" || { echo "volumes: cannot mount a tmpfs at $1" >&2; return 1; }
  VOLUME_MOUNTS+=("$1")
}

# Maps letter (one character) to a host folder of this test; type is Wine's:
# hd, network, floppy (removable) or cdrom.
volume_map() {  # letter host-folder type
  local letter=${1,,}
  case "$2" in "$VOLUME_ROOT"/*) ;; *) echo "volumes: $2 is not a folder of this test" >&2; return 1 ;; esac
  ln -sfn "$2" "$WINEPREFIX/dosdevices/$letter:"
  VOLUME_TYPES+=("$letter:=$3")
}

# A plain folder on the folders tmpfs.
volume_folder() {  # letter type
  local dir="$VOLUME_ROOT/folders/${1,,}"
  mkdir -p "$dir" && volume_map "$1" "$dir" "$2"
}

# A tmpfs of its own (a stick, an external disk); its size is what Wine
# reports as the drive's capacity. Without a type it is left unmapped, for a
# drive that a test plugs in while the prefix runs.
volume_tmpfs() {  # letter size [type]
  local dir="$VOLUME_ROOT/mnt/${1,,}"
  mkdir -p "$dir" && volume_mount_tmpfs "$dir" "$2" || return 1
  [ -z "${3:-}" ] || volume_map "$1" "$dir" "$3"
}

# A real NTFS file system in an image file, mounted with ntfs-3g.
volume_ntfs() {  # letter size-MB type
  local image="$VOLUME_ROOT/${1,,}.ntfs" dir="$VOLUME_ROOT/mnt/${1,,}"
  mkdir -p "$dir"
  truncate -s "$2M" "$image"
  if ! mkntfs -F -Q -q -L "VANTREL_${1^^}" "$image" >"$VOLUME_ROOT/mkntfs.log" 2>&1; then
    echo "volumes: mkntfs failed: $(tail -n 1 "$VOLUME_ROOT/mkntfs.log")" >&2
    return 1
  fi
  ntfs-3g "$image" "$dir" || { echo "volumes: ntfs-3g cannot mount $image" >&2; return 1; }
  VOLUME_MOUNTS+=("$dir")
  volume_map "$1" "$dir" "$3"
}

# The host folder behind a letter made by the functions above.
volume_dir() {  # letter
  if [ -d "$VOLUME_ROOT/folders/${1,,}" ]; then
    printf '%s' "$VOLUME_ROOT/folders/${1,,}"
  else
    printf '%s' "$VOLUME_ROOT/mnt/${1,,}"
  fi
}

# Writes the drive types to HKLM\Software\Wine\Drives and stops the prefix's
# processes, so that the next Wine start sees the new drives.
volumes_apply() {
  local reg="$DRIVE_C/volumes.reg" entry
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\r\n'
    for entry in "${VOLUME_TYPES[@]}"; do printf '"%s"="%s"\r\n' "${entry%%=*}" "${entry#*=}"; done
  } >"$reg"
  (cd "$DRIVE_C" && wine regedit /S 'C:\volumes.reg' >"$VOLUME_ROOT/regedit.log" 2>&1 </dev/null)
  local rc=$?
  rm -f "$reg"
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  [ $rc -eq 0 ] || echo "volumes: regedit failed: $(cat "$VOLUME_ROOT/regedit.log")" >&2
  return $rc
}

# Leaves the mounts, stops every process of the prefix (a Wine process may
# hold a file open on a volume), unmounts in reverse order, and removes
# VOLUME_ROOT only when nothing is mounted below it any more.
volumes_destroy() {
  [ -n "${VOLUME_ROOT:-}" ] || return 0
  cd /
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  local i dir
  for ((i = ${#VOLUME_MOUNTS[@]} - 1; i >= 0; i--)); do
    dir=${VOLUME_MOUNTS[i]}
    mountpoint -q "$dir" 2>/dev/null || continue
    umount "$dir" 2>/dev/null || umount -l "$dir" || echo "volumes: $dir is still mounted" >&2
  done
  if findmnt -rn -o TARGET | awk -v below="$VOLUME_ROOT/" 'index($0, below) == 1 { found = 1 } END { exit !found }'; then
    echo "volumes: something is still mounted under $VOLUME_ROOT; left in place" >&2
  else
    rm -rf "$VOLUME_ROOT"
  fi
  VOLUME_MOUNTS=()
  VOLUME_TYPES=()
  VOLUME_ROOT=
}
