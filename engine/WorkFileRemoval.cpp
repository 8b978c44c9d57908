#include "engine/WorkFileRemoval.h"

#include "engine/StageRunner.h"
#include "platform/Platform.h"
#include "services/Paths.h"

namespace vantrel {

void RemoveWorkFiles(Run& run, int stage, const std::wstring& workFolder) {
  FileSystem& fs = *Os().files;
  // A work folder that became a link since the stages began: its listing
  // would be what the link points to. The link goes; the work files it hid
  // are out of reach, which is a failed removal.
  if (fs.IsLink(workFolder)) {
    fs.RemoveLink(workFolder);
    run.DiskStatus = kRemovalFailed;
    return;
  }
  if (!FolderExists(workFolder)) return;
  run.SetProgress(0, 1);
  run.Yield();
  run.SetProgress(0, run.WorkFileCount);
  run.Yield();
  int counter = 0;
  bool failed = false;
  // The names are taken one at a time as they go, never all at once: a
  // folder of 150,001 name files would hold tens of megabytes of names. A
  // pass that deleted something is followed by another, in case the
  // folder's order moved under the deletions.
  for (bool removedAny = true; removedAny && !failed;) {
    removedAny = false;
    fs.EachFile(workFolder, [&](const std::wstring& name) {
      if (SecondTick(0)) {
        if (run.ProgressMax() >= counter) run.SetProgressValue(counter);
        run.Yield();
      }
      ++counter;
      if (!fs.RemoveFile(workFolder + L"\\" + name)) {
        failed = true;
        return false;
      }
      removedAny = true;
      // Stop is not tested: every file goes, whatever was pressed.
      run.Breathe();
      WaitWhilePaused(run, stage);
      return true;
    });
  }
  if (failed) {
    run.DiskStatus = kRemovalFailed;
    return;
  }
  // Links someone put in the folder go as links, never walked through.
  for (const std::wstring& link : fs.ListLinks(workFolder)) {
    if (!fs.RemoveLink(workFolder + L"\\" + link)) {
      run.DiskStatus = kRemovalFailed;
      return;
    }
  }
  if (FolderExists(workFolder) && !fs.RemoveFolder(workFolder)) run.DiskStatus = kRemovalFailed;
}

}  // namespace vantrel
