#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

#include <objbase.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace vantrel::win32 {

namespace {

// COM for the length of one call; harmless when the thread already has it.
class ComScope {
 public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT hr_;
};

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  void** out() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

}  // namespace

SpecialFolderAnswer Win32Shell::SpecialFolderPath(int32_t csidl) {
  wchar_t buffer[MAX_PATH] = {};
  const HRESULT hr = SHGetFolderPathW(nullptr, csidl, nullptr, 0, buffer);
  return {static_cast<int32_t>(hr), hr == S_OK ? std::wstring(buffer) : std::wstring()};
}

intptr_t Win32Shell::OpenDocument(const std::wstring& file) {
  return reinterpret_cast<intptr_t>(
      ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

bool Win32Shell::StartProcess(const std::wstring& commandLine, bool hidden) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = hidden ? SW_HIDE : SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  std::wstring mutableLine = commandLine;
  if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

bool Win32Shell::CreateShortcut(const ShortcutFile& shortcut) {
  ComScope com;
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.out())))
    return false;
  link->SetPath(shortcut.target.c_str());
  link->SetDescription(shortcut.description.c_str());
  link->SetWorkingDirectory(shortcut.workingFolder.c_str());
  if (!shortcut.iconLocation.empty()) {
    // "file,index" as shortcut icon locations are written; the index is optional.
    std::wstring file = shortcut.iconLocation;
    int index = 0;
    const auto comma = file.rfind(L',');
    if (comma != std::wstring::npos) {
      index = _wtoi(file.c_str() + comma + 1);
      file.resize(comma);
    }
    link->SetIconLocation(file.c_str(), index);
  }
  link->SetArguments(shortcut.arguments.c_str());
  ComPtr<IPersistFile> persist;
  if (FAILED(link->QueryInterface(IID_IPersistFile, persist.out()))) return false;
  return SUCCEEDED(persist->Save(shortcut.link.c_str(), TRUE));
}

bool Win32Shell::EmptyRecycleBin() {
  return SUCCEEDED(SHEmptyRecycleBinW(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND));
}

}  // namespace vantrel::win32
