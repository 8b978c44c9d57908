// The computer's power as the logic needs it: whether it runs on mains,
// keeping it awake through a long run, and ending the session.
#pragma once
#include <cstdint>

namespace vantrel {

namespace mains {
constexpr uint8_t Offline = 0;  // on battery
constexpr uint8_t Online = 1;
constexpr uint8_t Unknown = 255;  // also when the system cannot tell
}  // namespace mains

class Power {
 public:
  virtual ~Power() = default;
  // The mains status byte of the system's power status (see mains::).
  virtual uint8_t MainsStatus() = 0;
  // Asks the system to stay out of sleep until called with false; the
  // request holds for the calling thread, continuously, until withdrawn.
  virtual bool KeepSystemAwake(bool awake) = 0;
  // Grants the process the right to shut the computer down; reports nothing.
  virtual void EnableShutdownPrivilege() = 0;
  // Ends the session as the exit flags say; false when the system refused.
  virtual bool EndSession(uint32_t flags) = 0;
};

}  // namespace vantrel
