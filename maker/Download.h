// Fetching a short answer of the maker's web endpoint into a file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel {

// Neither a silent server nor a slow one holds the window longer than this.
constexpr uint32_t kDownloadTimeoutMs = 10000;

// Writes the answer into the file only when it is exactly expectedLength
// bytes long; true when it wrote the file. At most one byte more than that
// is ever read, so an endless answer cannot fill the memory. The window
// answers while the fetch runs. Nothing is shown to the user.
bool DownloadToFile(const std::wstring& url, const std::wstring& file, std::size_t expectedLength);

}  // namespace vantrel
