#include "services/SpecialFolder.h"

#include "platform/Platform.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

namespace {
constexpr int32_t kCreateFlag = 0x8000;
constexpr int32_t kInvalidFolderId = static_cast<int32_t>(0x80070057);
constexpr int32_t kFolderMissing = 1;
const std::wstring kStars = L"***************************** ";
}  // namespace

std::wstring SpecialFolder(int32_t folderNumber) {
  return IgnoringFailures(std::wstring(), [&] {
    const SpecialFolderAnswer answer = Os().shell->SpecialFolderPath(folderNumber | kCreateFlag);
    if (answer.result == 0) {
      std::wstring path = answer.path.substr(0, answer.path.find(L'\0'));
      if (path.size() > 3 && path.back() == L'\\') path.pop_back();
      return path;
    }
    if (answer.result == kInvalidFolderId) return kStars + L"An invalid folder ID was specified.";
    if (answer.result == kFolderMissing) return kStars + L"The folder does not exist.";
    return std::wstring();
  });
}

}  // namespace vantrel
