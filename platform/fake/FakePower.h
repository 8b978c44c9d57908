// Power and sound that record what the logic asked of them.
#pragma once
#include <vector>

#include "platform/Power.h"
#include "platform/Sound.h"

namespace vantrel::fake {

class FakePower : public Power {
 public:
  uint8_t mains = mains::Online;
  bool awake = false;  // the keep-awake request in force
  int awakeRequests = 0;
  bool shutdownPrivilege = false;
  std::vector<uint32_t> exitRequests;  // the flags of every request
  bool exitResult = true;

  uint8_t MainsStatus() override { return mains; }
  bool KeepSystemAwake(bool on) override {
    awake = on;
    if (on) ++awakeRequests;
    return true;
  }
  void EnableShutdownPrivilege() override { shutdownPrivilege = true; }
  bool EndSession(uint32_t flags) override {
    exitRequests.push_back(flags);
    return exitResult;
  }
};

class FakeSound : public Sound {
 public:
  std::vector<std::wstring> played;
  void PlayWaveFile(const std::wstring &file) override { played.push_back(file); }
};

}  // namespace vantrel::fake
