#include "system/CompletionSound.h"

#include "platform/Platform.h"
#include "services/Checkpoint.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

bool CompletionSound::PlayCompletionSound() {
  SetCheckpoint(L"SOUND");
  IgnoringFailures([] { Os().sound->PlayWaveFile(Os().system->ApplicationFolder() + L"\\sound.wav"); });
  plays_ = static_cast<int16_t>(plays_ + 1);
  SetCheckpoint(L"");
  return plays_ < kPlays;
}

}  // namespace vantrel
