// Work folders that an interrupted run left behind on a listed drive.
#pragma once

namespace vantrel {

enum class LeftoverNotice { Tell, Quiet };

// Tells the user of each leftover folder, deletes it, and says whether it is
// gone; a leftover fill template goes without a word. Runs after every
// rebuild of the disk panel and when the window closes. Quiet when Windows
// ends the session: nobody is there to answer, and a box would hold up the
// log-off.
void RemoveLeftoverWorkFolders(LeftoverNotice notice = LeftoverNotice::Tell);

}  // namespace vantrel
