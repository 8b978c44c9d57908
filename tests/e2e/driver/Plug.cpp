// Wine keeps its drive letters in the mount manager, which the system's
// drive list is read from. A symbolic link added to the prefix's dosdevices
// folder while Wine runs is not seen until the next start, so a drive that
// must appear at once goes through the manager's own "define Unix drive"
// request, which a hot-plugged disk takes under Wine as well. The request is
// Wine's, not Windows': its layout below follows Wine's mount manager.
#include "tests/e2e/driver/Plug.h"

#include "tests/e2e/driver/Common.h"

#include <winioctl.h>

#include <cstring>
#include <vector>

namespace vdriver {
namespace {

constexpr DWORD kMountManagerType = 0x6d;
constexpr DWORD kDefineUnixDrive = (kMountManagerType << 16) | ((FILE_READ_ACCESS | FILE_WRITE_ACCESS) << 14) |
                                   (32 << 2) | METHOD_BUFFERED;

struct UnixDriveRequest {
  ULONG size;
  ULONG type;  // a DRIVE_* code
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;  // lower case
  USHORT mountPointOffset;  // of the host folder in the request, 0: drop the letter
  USHORT deviceOffset;
  USHORT labelOffset;
};

UINT DriveTypeOf(const std::wstring& kind) {
  if (kind == L"fixed") return DRIVE_FIXED;
  if (kind == L"removable") return DRIVE_REMOVABLE;
  if (kind == L"network") return DRIVE_REMOTE;
  if (kind == L"cdrom") return DRIVE_CDROM;
  Fail(L"unknown drive kind '" + kind + L"' (fixed, removable, network or cdrom)");
}

wchar_t LowerLetter(wchar_t letter) {
  if (letter >= L'A' && letter <= L'Z') letter = static_cast<wchar_t>(letter - L'A' + L'a');
  if (letter < L'a' || letter > L'z') Fail(L"not a drive letter: '" + std::wstring(1, letter) + L"'");
  return letter;
}

void Send(std::vector<BYTE>& request, wchar_t letter) {
  HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) Fail(L"cannot open the mount manager: error " + std::to_wstring(GetLastError()));
  DWORD returned = 0;
  const BOOL done = DeviceIoControl(manager, kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                                    nullptr, 0, &returned, nullptr);
  const DWORD error = GetLastError();
  CloseHandle(manager);
  if (!done) Fail(L"the mount manager refused drive " + std::wstring(1, letter) + L": error " + std::to_wstring(error));
}

std::vector<BYTE> Request(wchar_t letter, UINT type, const std::string& hostFolder) {
  std::vector<BYTE> bytes(sizeof(UnixDriveRequest) + (hostFolder.empty() ? 0 : hostFolder.size() + 1));
  UnixDriveRequest head{};
  head.size = static_cast<ULONG>(bytes.size());
  head.type = type;
  head.letter = LowerLetter(letter);
  if (!hostFolder.empty()) {
    head.mountPointOffset = sizeof head;
    std::memcpy(bytes.data() + sizeof head, hostFolder.c_str(), hostFolder.size() + 1);
  }
  std::memcpy(bytes.data(), &head, sizeof head);
  return bytes;
}

}  // namespace

void PlugDrive(wchar_t letter, const std::string& hostFolder, const std::wstring& kind) {
  if (hostFolder.empty()) Fail(L"plug needs a host folder");
  std::vector<BYTE> request = Request(letter, DriveTypeOf(kind), hostFolder);
  Send(request, letter);
}

void UnplugDrive(wchar_t letter) {
  std::vector<BYTE> request = Request(letter, DRIVE_NO_ROOT_DIR, "");
  Send(request, letter);
}

}  // namespace vdriver
