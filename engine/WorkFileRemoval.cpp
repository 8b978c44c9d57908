#include "engine/WorkFileRemoval.h"

#include "engine/FillPatterns.h"
#include "engine/NameFiles.h"
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
  // One file: false stops the stage. A file the stages meant to make but
  // did not is no failure.
  auto remove = [&](const std::wstring& name, bool mayBeMissing) {
    if (SecondTick(0)) {
      if (run.ProgressMax() >= counter) run.SetProgressValue(counter);
      run.Yield();
    }
    if (!fs.RemoveFile(workFolder + L"\\" + name)) {
      if (mayBeMissing && fs.LastFailure() == FsFailure::Missing) return true;
      failed = true;
      return false;
    }
    ++counter;
    // Stop is not tested: every file goes, whatever was pressed.
    run.Breathe();
    WaitWhilePaused(run, stage);
    return true;
  };
  // The files the stages made go by their names first: reading a folder of
  // 150,001 names costs the system tens of megabytes and the window its
  // answers, while a folder that holds only what someone else put there is
  // read in a moment.
  for (int i = 0; i < run.NameFilesMade && !failed; ++i) remove(NameFileName(i), true);
  for (int n = 1; n <= run.CopiesMade && !failed; ++n) remove(TemplateCopyName(n), true);
  for (const wchar_t* name : kLineFileNames)
    if (!failed) remove(name, true);
  // Then whatever else lies there, a name at a time. A pass that deleted
  // something is followed by another, in case the folder's order moved
  // under the deletions.
  for (bool removedAny = true; removedAny && !failed;) {
    removedAny = false;
    fs.EachFile(workFolder, [&](const std::wstring& name) {
      if (!remove(name, false)) return false;
      removedAny = true;
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
