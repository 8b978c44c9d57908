# Everything an end-to-end test drives the program with: the throw-away
# prefix, the virtual display, NTFS images, the program and its driver, and
# the wizard's run. Source it with `root` set to the repository.
source "$root/tests/harness/wineprefix.sh"
source "$root/tests/harness/display.sh"
source "$root/tests/harness/ntfs.sh"
source "$root/tests/harness/app.sh"
source "$root/tests/harness/run.sh"

# A test's own prefix and virtual display, both undone (with any images)
# when the script exits; a test that cannot have them ends as one failure.
e2e_begin() {
  prefix_create || { echo "0 passed, 1 failed"; exit 1; }
  display_start || { echo "0 passed, 1 failed"; exit 1; }
  trap 'images_cleanup; display_stop; prefix_destroy' EXIT
}
