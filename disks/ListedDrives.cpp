#include "disks/ListedDrives.h"

#include "platform/Platform.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

bool IsListedDrive(const std::wstring& letter) {
  return IgnoringFailures(false, [&] {
    if (letter.size() != 1) return false;
    const int type = Os().drives->DriveType(letter);
    return type >= drivetype::Unknown && type <= drivetype::Network && Os().drives->IsReady(letter);
  });
}

std::vector<std::wstring> ListedDriveLetters() {
  std::vector<std::wstring> listed;
  IgnoringFailures([&] {
    for (const std::wstring& letter : Os().drives->Letters())
      if (IsListedDrive(letter)) listed.push_back(letter);
  });
  return listed;
}

}  // namespace vantrel
