# What a cleaning must remove and what it must keep, on an NTFS image: the
# deleted files of two marker sets and a tree of the user's own files, with
# the lists and hashes to search and compare them by afterwards. Source after
# ntfs.sh; the image is mounted while planting and unmounted while searched.

# Deleted files with markers on a mounted image: large ones, small ones that
# NTFS keeps inside the file records, and markers in names, in two sets. The
# files of set "removed" lose their folder too; set "kept" keeps its folder,
# whose index may still hold the deleted names. Both sets are written before
# either is deleted, so neither lands in the other's freed space. Markers are
# all as long, so none contains another.
marker_sets="removed kept"
marker_kinds="large small name"
plant_markers() {  # name
  local set
  for set in $marker_sets; do plant_set "$1" "$set"; done
  sync
  for set in $marker_sets; do find "$PREFIX_ROOT/mnt/$1/$set" -mindepth 1 -delete; done
  rmdir "$PREFIX_ROOT/mnt/$1/removed"
  sync
}
plant_set() {  # name set
  local dir="$PREFIX_ROOT/mnt/$1/$2" list="$PREFIX_ROOT/$1.$2" kind i m
  mkdir -p "$dir"
  for kind in $marker_kinds; do : >"$list.$kind"; done
  for i in 1 2 3; do
    m=$(marker LG "$i")
    echo "$m" >>"$list.large"
    yes "$m" | head -c 2000000 >"$dir/large$i.bin"
  done
  for i in $(seq 1 20); do
    m=$(marker SM "$i")
    echo "$m" >>"$list.small"
    printf '%s %0*d\n' "$m" $((80 + i * 20)) 0 >"$dir/small$i.txt"
  done
  for i in $(seq 1 20); do
    m=$(marker NM "$i")
    echo "$m" >>"$list.name"
    echo x >"$dir/$m.txt"
  done
}
marker() { printf '%sMARK%05d%05d%02d' "$1" "$RANDOM" "$RANDOM" "$2"; }

# A tree of the user's own files whose hashes must not change.
plant_user_files() {  # name
  local dir="$PREFIX_ROOT/mnt/$1/Documents"
  mkdir -p "$dir/Letters"
  head -c 3000000 /dev/urandom >"$dir/photo.raw"
  for i in 1 2 3 4 5; do head -c $((i * 700)) /dev/urandom >"$dir/Letters/letter$i.txt"; done
  user_hashes "$1" >"$PREFIX_ROOT/$1.hashes"
}
user_hashes() { (cd "$PREFIX_ROOT/mnt/$1/Documents" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
free_bytes() { df -B1 --output=avail "$PREFIX_ROOT/mnt/$1" | tail -n 1 | tr -d ' '; }

# Prints how many markers of a set survive, per kind: large small name.
markers_left() {  # name set
  image_markers "$PREFIX_ROOT/$1.img" "$PREFIX_ROOT/$1.$2".{large,small,name}
}

# How many of the deleted files planted by plant_set a recovery tool still
# lists with some of their contents, on an unmounted image. The program's
# own work files are deleted too and would be listed beside them, so only
# the planted names count.
recoverable_planted() {  # name
  ntfsundelete -s "$PREFIX_ROOT/$1.img" 2>/dev/null |
    awk '$1 ~ /^[0-9]+$/ && $3 + 0 > 0 && $NF ~ /^(large[0-9]+\.bin|small[0-9]+\.txt|[A-Z][A-Z]MARK[0-9]+\.txt)$/ { n++ }
         END { print n + 0 }'
}

# Bytes of the file-record table of an unmounted image (NTFS only grows it).
mft_bytes() {
  ntfsinfo -F '$MFT' "$PREFIX_ROOT/$1.img" 2>/dev/null |
    awk -F'[:(]' 'tolower($1) ~ /data size/ { gsub(/[ \t]/, "", $2); if ($2 + 0 > m) m = $2 + 0 } END { print m + 0 }'
}

# The residue of a cleaning of a mounted image, which it leaves unmounted:
# "$residue_clean" when the free space is back (against $PREFIX_ROOT/<name>.free)
# but for the file-record table's growth (against <name>.mft), no marker is
# left (a kept folder's index may keep a deleted name where no new file
# lands), and no planted file is recoverable; otherwise what differs.
residue_clean="yes|0 0 0 0 0|0"
residue() {  # name
  local n=$1 after before grown left set
  after=$(free_bytes "$n") before=$(cat "$PREFIX_ROOT/$n.free")
  image_unmount "$n"
  grown=$(($(mft_bytes "$n") - $(cat "$PREFIX_ROOT/$n.mft")))
  left=$(markers_left "$n" removed) && left+=" $(markers_left "$n" kept)"
  echo "$([ "$after" -ge $((before - grown - 1048576)) ] && echo yes || echo "$before -> $after, table grew $grown")|${left% *}$(
    [ "${left% *}" = "0 0 0 0 0" ] || echo ": $(for set in $marker_sets; do
      image_marker_places "$PREFIX_ROOT/$n.img" "$PREFIX_ROOT/$n.$set."{large,small,name}; done)")|$(recoverable_planted "$n")"
}
