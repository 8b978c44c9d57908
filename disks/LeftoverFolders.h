// Work folders that an interrupted run left behind on a listed drive.
#pragma once

namespace vantrel {

// Tells the user of each leftover folder, deletes it, and says whether it is
// gone. Runs after every rebuild of the disk panel and when the window closes.
void RemoveLeftoverWorkFolders();

}  // namespace vantrel
