#include "engine/WorkFileRemoval.h"

#include "disks/WorkFiles.h"
#include "engine/WorkArea.h"
#include "platform/Platform.h"

namespace vantrel {

void RemoveWorkFiles(StageContext& stage) {
  // No work folder was made: nothing to remove.
  if (!stage.Work()) return;
  FileSystem& fs = *Os().files;
  WorkArea& work = *stage.Work();
  stage.SetProgress(0, 1);
  stage.Yield();
  stage.SetProgress(0, stage.WorkFileCount);
  stage.Yield();
  int counter = 0;
  auto afterEachFile = [&] {
    // Stop is not tested: every file goes, whatever was pressed.
    stage.TakeTurn();
  };
  // One file the stages made, by its name: false stops the stage. A file
  // that is not there although its folder is, is no failure; a folder or a
  // disk that went away is.
  auto remove = [&](const std::wstring& path) {
    if (SecondTick(0)) {
      if (stage.ProgressMax() >= counter) stage.SetProgressValue(counter);
      stage.Yield();
    }
    if (!fs.RemoveFile(path) && fs.LastFailure() != FsFailure::Missing) return false;
    ++counter;
    afterEachFile();
    return true;
  };
  // The files the stages made go by their names first: reading a folder of
  // 150,001 names costs the system tens of megabytes and the window its
  // answers, while a folder that holds only what someone else put there is
  // read in a moment.
  bool whole = true;
  for (int i = 0; i < stage.NameFilesMade && whole; ++i) whole = remove(work.PathOf(WorkFile::NameFile, i, false));
  for (int n = 1; n <= stage.CopiesMade && whole; ++n) whole = remove(work.PathOf(WorkFile::TemplateCopy, n, false));
  for (const wchar_t* name : kLineFileNames)
    if (whole) whole = remove(work.Folder() + L"\\" + name);
  // Then whatever else lies there, and the folders through their holds.
  if (!whole || !work.RemoveAll(afterEachFile)) stage.Fail();
  stage.ReleaseWork();
}

void ClearWorkNow(Run& run) {
  if (run.Work) run.Work->RemoveAll({});
}

}  // namespace vantrel
