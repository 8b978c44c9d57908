#!/usr/bin/env bash
# not committed: measures the folder-names step's cost
set -u
root=/work/main
source "$root/tests/harness/e2e.sh"
setup() {
  app_install
  image_make d 256 >/dev/null && image_mount d && image_map d "$(mnt d)" || bad "image d"
  local i j
  for i in $(seq 1 100); do mkdir -p "$(mnt d)/small/f$i"; for j in 1 2 3; do echo x >"$(mnt d)/small/f$i/note-$j.txt"; done; done
  for i in 1 2 3 4 5; do mkdir -p "$(mnt d)/big/b$i"; (cd "$(mnt d)/big/b$i" && seq -f "document-number-%05g-of-the-archive.txt" 1 1000 | xargs touch); done
  wine_restart
}
one() {  # what extra
  local t=$SECONDS
  start_run D Option6 Option8 $2
  go
  expect_eq "ends" "visible=1" "$(wait_page 7 3000)"
  echo "measured: $1: $((SECONDS - t)) s; row: $(drv caption 'ReportInfo(0)')"
  finish
}
runs() {
  one plain ""
  one extra-all "click Check10 /"
  rm -rf "$(mnt d)/big"
  one extra-small ""
}
e2e_begin
parts setup runs
e2e_end
