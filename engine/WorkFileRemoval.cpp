#include "engine/WorkFileRemoval.h"

#include "app/StartForm.h"
#include "engine/StageRunner.h"
#include "platform/Platform.h"
#include "services/Paths.h"

namespace vantrel {

void RemoveWorkFiles(StartForm& form, int stage, const std::wstring& workFolder) {
  FileSystem& fs = *Os().files;
  // A work folder that became a link since the stages began: its listing
  // would be what the link points to. The link goes; the work files it hid
  // are out of reach, which is a failed removal.
  if (fs.IsLink(workFolder)) {
    fs.RemoveLink(workFolder);
    form.run.DiskStatus = kRemovalFailed;
    return;
  }
  if (!FolderExists(workFolder)) return;
  Control& bar = form(L"ProgressBar1");
  bar.SetMax(1);
  bar.SetValue(0);
  DoEvents();
  // The whole listing first: deleting while listing could skip files.
  const std::vector<std::wstring> files = fs.ListFiles(workFolder);
  bar.SetMax(form.run.WorkFileCount);
  bar.SetValue(0);
  DoEvents();
  int counter = 0;
  for (const std::wstring& name : files) {
    if (SecondTick(form.run, 0)) {
      if (bar.Max() >= counter) bar.SetValue(counter);
      DoEvents();
    }
    ++counter;
    if (!fs.RemoveFile(workFolder + L"\\" + name)) {
      form.run.DiskStatus = kRemovalFailed;
      return;
    }
    // Stop is not tested: every file goes, whatever was pressed.
    WaitWhilePaused(form, stage);
  }
  // Links someone put in the folder go as links, never walked through.
  for (const std::wstring& link : fs.ListLinks(workFolder)) {
    if (!fs.RemoveLink(workFolder + L"\\" + link)) {
      form.run.DiskStatus = kRemovalFailed;
      return;
    }
  }
  if (FolderExists(workFolder) && !fs.RemoveFolder(workFolder)) form.run.DiskStatus = kRemovalFailed;
}

}  // namespace vantrel
