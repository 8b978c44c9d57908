// Where an installation of this major version leaves its traces: the
// shortcuts, the Start menu folder, the program folder and the entry in the
// system's list of installed programs. Installing makes them and the
// uninstall scripts remove them, so both take the names from here.
#pragma once
#include <string>

namespace vantrel {

struct Installation {
  std::wstring name;           // "Vantrel 3": the major version only
  std::wstring appFolder;      // the running executable's folder
  std::wstring exeName;        // the executable's base name, as it runs
  std::wstring exe;            // the running executable
  std::wstring desktopLink;    // the shortcut on the desktop of all users
  std::wstring menuFolder;     // the Start menu folder of all users
  std::wstring programFolder;  // where an installer puts the program
  std::wstring entryKey;       // the installed-programs entry, a full key path
};

Installation ThisInstallation();

}  // namespace vantrel
