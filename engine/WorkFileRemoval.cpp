#include "engine/WorkFileRemoval.h"

#include "app/StartForm.h"
#include "engine/StageRunner.h"
#include "platform/Platform.h"
#include "services/Paths.h"

namespace vantrel {

void RemoveWorkFiles(StartForm& form, int stage, const std::wstring& workFolder) {
  if (!FolderExists(workFolder)) return;
  Control& bar = form(L"ProgressBar1");
  bar.SetMax(1);
  bar.SetValue(0);
  DoEvents();
  // The whole listing first: deleting while listing could skip files.
  const std::vector<std::wstring> files = Os().files->ListFiles(workFolder);
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
    if (!Os().files->RemoveFile(workFolder + L"\\" + name)) {
      form.run.DiskStatus = kRemovalFailed;
      return;
    }
    // Stop is not tested: every file goes, whatever was pressed.
    WaitWhilePaused(form, stage);
  }
  if (FolderExists(workFolder) && !Os().files->RemoveFolder(workFolder)) form.run.DiskStatus = kRemovalFailed;
}

}  // namespace vantrel
