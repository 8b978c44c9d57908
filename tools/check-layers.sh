#!/usr/bin/env bash
# Fails when a file includes a header of a folder above its own. The folders
# stand in layers: platform, services, lang, then disks / runlog / system /
# maker (the maker's web features), then engine (which runs the disks,
# writes the log and asks the system), then app, then main (the Windows
# entry point, which starts the app). Folders of one layer do not include
# each other.
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
declare -A rank=([platform]=0 [services]=1 [lang]=2 [disks]=3 [runlog]=3 [system]=3 [maker]=3 [engine]=4 [app]=5
                 [main]=6)
bad=0
cd "$root" || exit 1
for folder in "${!rank[@]}"; do
  [ -d "$folder" ] || continue
  while IFS= read -r file; do
    while IFS= read -r target; do
      [ -z "${rank[$target]+x}" ] && continue
      if [ "$target" != "$folder" ] && [ "${rank[$target]}" -ge "${rank[$folder]}" ]; then
        echo "layers: $file includes $target/ (a folder not below $folder/)" >&2
        bad=1
      fi
    done < <(sed -n 's@^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\)/.*@\1@p' "$file")
  done < <(find "$folder" -name '*.h' -o -name '*.cpp' -o -name '*.inc')
done
exit $bad
