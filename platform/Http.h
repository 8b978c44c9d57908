// Fetching a short answer from a web server.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vantrel {

struct HttpGet {
  std::wstring url;
  std::wstring agent;
  // Bytes beyond this many are never read: a server cannot fill the memory.
  std::size_t maxBytes = 0;
  // The whole fetch (connecting, sending, every read) ends within this time.
  uint32_t timeoutMs = 0;
};

class Http {
 public:
  virtual ~Http() = default;
  // Fetches the address, always from the server and never from a cache, in
  // blocks of 2048 bytes. pump runs on the calling thread after every block
  // and, while the server keeps it waiting, at least every 25 ms, so the
  // caller's window keeps answering. False when no answer came (no
  // connection, time-out); body then holds what arrived before.
  virtual bool Get(const HttpGet& request, std::string& body, const std::function<void()>& pump) = 0;
};

}  // namespace vantrel
