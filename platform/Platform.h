// The one door through which the logic reaches the operating system. A
// program installs the Win32 platform at start; a test installs the fakes.
#pragma once
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/Http.h"
#include "platform/Power.h"
#include "platform/ProfileFiles.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/SystemInfo.h"
#include "platform/TextCodec.h"

namespace vantrel {

struct Platform {
  Registry* registry = nullptr;
  FileSystem* files = nullptr;
  ProfileFiles* profiles = nullptr;
  Shell* shell = nullptr;
  SystemInfo* system = nullptr;
  Clock* clock = nullptr;
  TextCodec* codec = nullptr;
  Dialogs* dialogs = nullptr;
  Drives* drives = nullptr;
  Power* power = nullptr;
  Sound* sound = nullptr;
  Http* http = nullptr;
};

// The installed platform. Installing replaces the previous one; the caller
// keeps ownership of the parts.
Platform& Os();
void InstallPlatform(const Platform& platform);

}  // namespace vantrel
