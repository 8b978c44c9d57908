# Everything an end-to-end test drives the program with: the throw-away
# prefix, the virtual display, NTFS images, the program and its driver, and
# the wizard's run. Source it with `root` set to the repository.
source "$root/tests/harness/wineprefix.sh"
source "$root/tests/harness/display.sh"
source "$root/tests/harness/ntfs.sh"
source "$root/tests/harness/app.sh"
source "$root/tests/harness/run.sh"
