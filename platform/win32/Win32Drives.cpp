#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

namespace vantrel::win32 {

namespace {
std::wstring Root(const std::wstring& letter) { return letter.substr(0, 1) + L":\\"; }
}  // namespace

std::vector<std::wstring> Win32Drives::Letters() {
  std::vector<std::wstring> letters;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (mask & (1u << i)) letters.emplace_back(1, static_cast<wchar_t>(L'A' + i));
  return letters;
}

int Win32Drives::DriveType(const std::wstring& letter) {
  switch (GetDriveTypeW(Root(letter).c_str())) {
    case DRIVE_REMOVABLE: return drivetype::Removable;
    case DRIVE_FIXED: return drivetype::Fixed;
    case DRIVE_REMOTE: return drivetype::Network;
    case DRIVE_CDROM: return drivetype::CdRom;
    case DRIVE_RAMDISK: return drivetype::RamDisk;
    default: return drivetype::Unknown;
  }
}

// Ready means the medium is there and its root can be read. Wine answers the
// volume question even for a letter whose folder is gone, so the root's own
// attributes are asked as well.
bool Win32Drives::IsReady(const std::wstring& letter) {
  if (!Volume(letter)) return false;
  const DWORD attributes = GetFileAttributesW(Root(letter).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<VolumeFacts> Win32Drives::Volume(const std::wstring& letter) {
  wchar_t name[MAX_PATH + 1] = {}, fileSystem[MAX_PATH + 1] = {};
  DWORD serial = 0, maxName = 0, flags = 0;
  if (!GetVolumeInformationW(Root(letter).c_str(), name, MAX_PATH + 1, &serial, &maxName, &flags, fileSystem,
                             MAX_PATH + 1))
    return std::nullopt;
  return VolumeFacts{fileSystem, name, static_cast<int32_t>(serial)};
}

std::optional<uint64_t> Win32Drives::TotalSize(const std::wstring& letter) {
  ULARGE_INTEGER available, total, free;
  if (!GetDiskFreeSpaceExW(Root(letter).c_str(), &available, &total, &free)) return std::nullopt;
  return total.QuadPart;
}

std::optional<uint64_t> Win32Drives::AvailableSpace(const std::wstring& path) {
  ULARGE_INTEGER available, total, free;
  if (!GetDiskFreeSpaceExW(path.c_str(), &available, &total, &free)) return std::nullopt;
  return available.QuadPart;
}

}  // namespace vantrel::win32
