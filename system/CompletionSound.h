// The sound that tells a user who left the computer alone that the run is
// over: once at the end, then every five seconds, 25 plays in all.
#pragma once
#include <cstdint>

namespace vantrel {

class CompletionSound {
 public:
  static constexpr int16_t kPlays = 25;

  // The plays are counted from here.
  void Restart() { plays_ = 0; }
  // Plays "sound.wav" from the program's folder once; false once the last
  // play is done, when the repeating stops.
  bool PlayCompletionSound();

 private:
  int16_t plays_ = 0;
};

}  // namespace vantrel
