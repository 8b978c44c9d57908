// The verb "install": what an installer runs once it has copied the program
// folder into place.
#pragma once

namespace vantrel {

// Opens the maker's page for an installation, makes the shortcuts and the
// web link, remembers the month and year of the installation and writes the
// installed-programs entry, whose command names this executable wherever
// it lies. After the page, a step that fails (missing rights for the common
// folders or the local-machine hive) is skipped without a word.
void InstallJob();

}  // namespace vantrel
