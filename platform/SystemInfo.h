// Facts about the running system and program that the logic asks for.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace vantrel {

struct VersionNumbers {
  int major = 0;
  int minor = 0;
};

// A lock of the whole computer, held for as long as it lives.
class MachineLock {
 public:
  virtual ~MachineLock() = default;
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
  // Takes the lock of this name for every user and session of the
  // computer; nothing while any program holds it, or when it cannot be
  // asked. It ends with the process at the latest, however that ends.
  virtual std::unique_ptr<MachineLock> TakeMachineLock(const std::wstring& name) = 0;
  // Whether any program holds that lock now, asked without taking it; true
  // when it cannot be asked.
  virtual bool MachineLockHeld(const std::wstring& name) = 0;
  // Whether the process can use administrator rights now: its token is
  // elevated, or, where the system knows no elevation, it is a member of
  // Administrators whose membership is not denied. False when it cannot tell.
  virtual bool ProcessIsElevated() = 0;
};

}  // namespace vantrel
