// Page 4, the overwrite method and the extras: emptying the Recycle Bin
// before a run, the system's option to clear the paging file at shutdown,
// keeping the computer out of standby while a run works, and rewriting the
// deleted names that the disks' folders still hold.
#pragma once
#include "app/ChoicesModel.h"
#include "platform/Toolkit.h"

namespace vantrel {

struct MethodControls {
  Control &title, &randomCharacters, &spaces, &randomDigits, &gutmann, &dod;
  Control &binTitle, &binInfo, &emptyBin, &pagingFile, &pagingInfo, &preventStandby, &folderNames, &remembered;
};

class MethodPage : public MethodControls {
 public:
  MethodPage(const MethodControls& controls, ChoicesModel& choices);
  void Draw();

 private:
  Control& Option(OverwriteMethod method);
  void PagingFileClick();

  ChoicesModel& choices_;
};

}  // namespace vantrel
