#include "platform/fake/FakeHttp.h"

#include <algorithm>

namespace vantrel::fake {

bool FakeHttp::Get(const HttpGet& request, std::string& body, const std::function<void()>& pump) {
  requests.push_back(request);
  body.clear();
  if (!answer) return false;
  const std::size_t keep = std::min(answer->size(), request.maxBytes);
  for (std::size_t at = 0; at < keep; at += 2048) {
    body += answer->substr(at, std::min<std::size_t>(2048, keep - at));
    ++pumps;
    if (pump) pump();
  }
  return true;
}

}  // namespace vantrel::fake
