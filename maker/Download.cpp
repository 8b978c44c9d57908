#include "maker/Download.h"

#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

bool DownloadToFile(const std::wstring& url, const std::wstring& file, std::size_t expectedLength) {
  return IgnoringFailures(false, [&] {
    // One byte beyond the expected length is enough to tell a longer answer.
    const HttpGet request{url, L"Download Agent", expectedLength + 1, kDownloadTimeoutMs};
    std::string body;
    if (!Os().http->Get(request, body, [] { DoEvents(); })) return false;
    return body.size() == expectedLength && Os().files->WriteAll(file, body);
  });
}

}  // namespace vantrel
