// Paths of the shell's special folders, asked for with the "create" flag so a
// missing folder is made.
#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

namespace csidl {
constexpr int32_t Desktop = 0x00, Programs = 0x02, Personal = 0x05, Favorites = 0x06,
                  Startup = 0x07, Recent = 0x08, SendTo = 0x09, StartMenu = 0x0B, MyMusic = 0x0D,
                  MyVideo = 0x0E, DesktopDirectory = 0x10, CommonStartMenu = 0x16,
                  CommonPrograms = 0x17, CommonStartup = 0x18, CommonDesktopDirectory = 0x19,
                  AppData = 0x1A, LocalAppData = 0x1C, CommonFavorites = 0x1F,
                  InternetCache = 0x20, Cookies = 0x21, History = 0x22, CommonAppData = 0x23,
                  Windows = 0x24, System = 0x25, ProgramFiles = 0x26, MyPictures = 0x27,
                  Profile = 0x28, ProgramFilesCommon = 0x2B, CommonMusic = 0x35,
                  CommonPictures = 0x36, CommonVideo = 0x37, CdBurnArea = 0x3B;
}  // namespace csidl

// The folder's path without a trailing backslash; for an invalid number or a
// missing folder a text of asterisks saying so; empty text for other failures.
std::wstring SpecialFolder(int32_t folderNumber);

}  // namespace vantrel
