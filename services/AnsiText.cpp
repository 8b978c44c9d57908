#include "services/AnsiText.h"

#include "platform/Platform.h"

namespace vantrel {

std::string ToAnsi(std::wstring_view text) { return Os().codec->Encode(Os().codec->AnsiCodePage(), text); }

std::wstring FromAnsi(std::string_view bytes) { return Os().codec->Decode(Os().codec->AnsiCodePage(), bytes); }

}  // namespace vantrel
