#include "disks/LeftoverFolders.h"

#include "disks/ListedDrives.h"
#include "disks/WorkFolder.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/Paths.h"
#include "services/Quietly.h"

namespace vantrel {

void RemoveLeftoverWorkFolders() {
  for (const std::wstring& letter : ListedDriveLetters()) {
    Quietly([&] {
      const std::wstring folder = WorkFolderOf(letter);
      if (!FolderExists(folder)) return;
      MsgBox(LangText(L"VERSION3", L"OLD-FOLDER-EXISTS") + L"\r\n\r\n" + folder, mb::Exclamation);
      // Only a folder that is really gone is reported as deleted.
      if (DeleteFolderTree(folder))
        MsgBox(LangText(L"VERSION3", L"OLD-FOLDER-DELETED"), mb::Information);
      else
        MsgBox(LangText(L"VERSION3", L"OLD-FOLDER-NOT-DELETED") + L"\r\n\r\n" + folder, mb::Exclamation);
    });
  }
}

}  // namespace vantrel
