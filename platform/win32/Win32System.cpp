#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

#include <oleauto.h>

#include <cmath>
#include <ctime>
#include <vector>

namespace vantrel::win32 {

uint32_t Win32SystemInfo::MajorVersion() {
  // The manifest lists the systems up to Windows 11, so the answer is the
  // real version rather than the compatibility one.
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return 0;
#pragma GCC diagnostic pop
  return info.dwMajorVersion;
}

std::wstring Win32SystemInfo::LocaleCountryName() {
  wchar_t buffer[100] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGCOUNTRY, buffer, 99) == 0) return {};
  return std::wstring(buffer);
}

namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::wstring Win32SystemInfo::ApplicationFolder() {
  const std::wstring path = ModulePath();
  const auto cut = path.rfind(L'\\');
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

std::wstring Win32SystemInfo::ExecutableBaseName() {
  std::wstring name = ModulePath();
  name = name.substr(name.rfind(L'\\') + 1);
  const auto dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

VersionNumbers Win32SystemInfo::ProgramVersionNumbers() {
  const std::wstring self = ModulePath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(self.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(self.c_str(), 0, size, block.data())) return {};
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info) return {};
  return {static_cast<int>(HIWORD(info->dwFileVersionMS)), static_cast<int>(LOWORD(info->dwFileVersionMS))};
}

namespace {

// A named mutex lives as long as a handle to it does, so a process that
// ends, however it ends, lets the lock go.
class Win32MachineLock final : public MachineLock {
 public:
  explicit Win32MachineLock(HANDLE h) : h_(h) {}

 private:
  FileHandle h_;
};

}  // namespace

std::unique_ptr<MachineLock> Win32SystemInfo::TakeMachineLock(const std::wstring& name) {
  // In the global namespace, so that every session sees it. One that
  // another user made answers "access denied": taken as well.
  HANDLE h = CreateMutexW(nullptr, FALSE, (L"Global\\" + name).c_str());
  if (!h) return nullptr;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(h);
    return nullptr;
  }
  return std::make_unique<Win32MachineLock>(h);
}

bool Win32SystemInfo::MachineLockHeld(const std::wstring& name) {
  HANDLE h = OpenMutexW(SYNCHRONIZE, FALSE, (L"Global\\" + name).c_str());
  if (h) {
    CloseHandle(h);
    return true;
  }
  // Not there at all: nobody holds it. Another user's answers "access
  // denied", and whatever else goes wrong counts as held.
  return GetLastError() != ERROR_FILE_NOT_FOUND;
}

// The system is asked rather than tried: a test write to a place only an
// administrator may change would follow whatever another user planted there.
bool Win32SystemInfo::ProcessIsElevated() {
  FileHandle token;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.out())) {
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size))
      return elevation.TokenIsElevated != 0;
  }
  // A system without elevation: a member of Administrators holds its rights.
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                &administrators))
    return false;
  BOOL member = FALSE;
  const BOOL answered = CheckTokenMembership(nullptr, administrators, &member);
  FreeSid(administrators);
  return answered && member;
}

uint64_t Win32Clock::TickMs() { return GetTickCount64(); }

void Win32Clock::Sleep(uint32_t ms) { ::Sleep(ms); }

void Win32Clock::SeedRandomFromClock() {
  generator_.seed(static_cast<unsigned>(std::time(nullptr)) ^ static_cast<unsigned>(GetTickCount64()));
}

double Win32Clock::Random() { return std::uniform_real_distribution<double>(0.0, 1.0)(generator_); }

namespace {
// Seconds between 1 January 1601 (file times) and 1 January 1970.
constexpr int64_t kEpochGap = 11644473600LL;
}  // namespace

int64_t Win32Clock::NowSeconds() {
  SYSTEMTIME local;
  GetLocalTime(&local);
  FILETIME ft;
  SystemTimeToFileTime(&local, &ft);
  const int64_t ticks = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return ticks / 10000000 - kEpochGap;
}

std::optional<std::wstring> Win32Clock::FormatDateTime(int64_t localSeconds) {
  const int64_t ticks = (localSeconds + kEpochGap) * 10000000;
  if (localSeconds < -kEpochGap) return std::nullopt;
  FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME st;
  if (!FileTimeToSystemTime(&ft, &st) || st.wYear > 9999) return std::nullopt;
  wchar_t date[100], time[100];
  if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 100)) return std::nullopt;
  if (st.wHour == 0 && st.wMinute == 0 && st.wSecond == 0) return std::wstring(date);
  if (!GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 100)) return std::nullopt;
  return std::wstring(date) + L" " + time;
}

std::optional<int64_t> Win32Clock::ParseDate(const std::wstring& text) {
  // The date reader of the automation library reads dates as the user's
  // locale writes them.
  DATE date = 0;
  std::wstring copy = text;  // the reader's parameter is not const
  if (FAILED(VarDateFromStr(copy.data(), LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, &date))) return std::nullopt;
  // Automation dates count days from 30 December 1899; 25569 days later is 1970.
  return static_cast<int64_t>(std::floor(date) - 25569) * 86400;
}

int Win32Dialogs::Show(const std::wstring& text, int style, const std::wstring& title) {
  return MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), static_cast<UINT>(style) | MB_SETFOREGROUND);
}

}  // namespace vantrel::win32
