#include "disks/LeftoverFolders.h"

#include "disks/ListedDrives.h"
#include "disks/WorkFiles.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "services/Breather.h"
#include "services/FolderRemoval.h"
#include "services/IgnoringFailures.h"
#include "services/Paths.h"
#include "services/RunLock.h"

namespace vantrel {

void RemoveLeftoverWorkFolders(LeftoverNotice notice) {
  // The window answers while a large folder goes, and a click in that time
  // may rebuild the panel, which comes here again: that call leaves the
  // folder to the one already at work.
  static bool working = false;
  if (working) return;
  working = true;
  Breather breathe(DoEvents);
  const bool tell = notice == LeftoverNotice::Tell;
  for (const std::wstring& letter : ListedDriveLetters()) {
    IgnoringFailures([&] {
      const std::wstring folder = WorkFolderOf(letter);
      // A folder that a run holds, of this copy or of another, is no
      // leftover: it is left alone without a word.
      if (!WorkFolderPresent(folder) || FolderInUse(folder)) return;
      if (tell) MsgBox(LangText(L"VERSION3", L"OLD-FOLDER-EXISTS") + L"\r\n\r\n" + folder, mb::Exclamation);
      // Only a folder that is really gone is reported as deleted.
      const Removal removal = DeleteFolderTree(folder, [&] { breathe(); });
      if (!tell || removal == Removal::InUse) return;
      if (removal == Removal::Gone)
        MsgBox(LangText(L"VERSION3", L"OLD-FOLDER-DELETED"), mb::Information);
      else
        MsgBox(LangText(L"VERSION3", L"OLD-FOLDER-NOT-DELETED") + L"\r\n\r\n" + folder, mb::Exclamation);
    });
  }
  // The template of a run going now, in this copy or another of the same
  // user, is no leftover.
  if (!RunGoing()) RemoveTemplateFile();
  working = false;
}

}  // namespace vantrel
