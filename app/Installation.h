// Where an installation of this major version leaves its traces: the
// shortcuts, the Start menu folder, the program's own folder and the entry in
// the system's list of installed programs. Installing makes them and the
// uninstall scripts remove them, so both take the names from here.
#pragma once
#include <string>
#include <vector>

namespace vantrel {

struct Installation {
  std::wstring name;         // "Vantrel 3": the major version only
  std::wstring appFolder;    // the running executable's folder, wherever the installer put it
  std::wstring exeName;      // the executable's base name, as it runs
  std::wstring exe;          // the running executable
  std::wstring desktopLink;  // the shortcut on the desktop of all users
  std::wstring menuFolder;   // the Start menu folder of all users
  std::wstring entryKey;     // the installed-programs entry, a full key path
};

Installation ThisInstallation();

// What the program's folder holds beside the executable as it ships. A
// folder with anything else in it is not the program's alone: removing it
// whole would take the user's files with it.
inline const std::vector<std::wstring> kShippedFiles = {L"back.jpg", L"program-back.jpg", L"sound.wav"};
inline const std::wstring kShippedFolder = L"Languages";

}  // namespace vantrel
