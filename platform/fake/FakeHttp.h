// A web server in memory: one scripted answer for every address, handed over
// in blocks as the real fetch hands them, cut where the real one stops reading.
#pragma once
#include <optional>
#include <vector>

#include "platform/Http.h"

namespace vantrel::fake {

class FakeHttp : public Http {
 public:
  // Nothing: the server cannot be reached.
  std::optional<std::string> answer;
  std::vector<HttpGet> requests;
  int pumps = 0;

  bool Get(const HttpGet& request, std::string& body, const std::function<void()>& pump) override;
};

}  // namespace vantrel::fake
