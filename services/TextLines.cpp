#include "services/TextLines.h"

#include <algorithm>

namespace vantrel {

std::string FirstLine(const std::string& bytes) { return bytes.substr(0, bytes.find_first_of("\r\n")); }

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
    lines.push_back(bytes.substr(at, end - at));
    // CR LF is one line end; CR or LF alone is one too.
    at = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

}  // namespace vantrel
