// Playing a wave file in the background.
#pragma once
#include <string>

namespace vantrel {

class Sound {
 public:
  virtual ~Sound() = default;
  // Starts the file and returns at once; a new play cuts off the previous
  // one. A missing or unreadable file plays nothing, not even a default.
  virtual void PlayWaveFile(const std::wstring &file) = 0;
};

}  // namespace vantrel
