// Facts about the running system and program that the logic asks for.
#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

struct VersionNumbers {
  int major = 0;
  int minor = 0;
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // Major version of the operating system as it reports it (0 on failure).
  virtual uint32_t MajorVersion() = 0;
  // English name of the country of the user's default locale; empty on failure.
  virtual std::wstring LocaleCountryName() = 0;
  // Folder of the running executable, no trailing backslash.
  virtual std::wstring ApplicationFolder() = 0;
  // The running executable's file name without its extension.
  virtual std::wstring ExecutableBaseName() = 0;
  // Major and minor number of the program's own version resource.
  virtual VersionNumbers ProgramVersionNumbers() = 0;
  // Whether the process can use administrator rights now: its token is
  // elevated, or, where the system knows no elevation, it is a member of
  // Administrators whose membership is not denied. False when it cannot tell.
  virtual bool ProcessIsElevated() = 0;
};

}  // namespace vantrel
