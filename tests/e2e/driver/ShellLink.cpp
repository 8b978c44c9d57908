#include "tests/e2e/driver/ShellLink.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "tests/e2e/driver/Common.h"

namespace vdriver {

namespace {

// Releases the interface on every way out, a Fail included.
template <class T>
struct Held {
  T* p = nullptr;
  ~Held() {
    if (p) p->Release();
  }
};

void Check(HRESULT hr, const wchar_t* what, const std::wstring& file) {
  if (FAILED(hr))
    Fail(std::wstring(what) + L" failed for " + file + L": 0x" + std::to_wstring(static_cast<unsigned long>(hr)));
}

}  // namespace

LinkFields ReadShellLink(const std::wstring& file) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Held<IShellLinkW> link;
  Check(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                         reinterpret_cast<void**>(&link.p)),
        L"creating a shell link", file);
  Held<IPersistFile> persist;
  Check(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist.p)), L"IPersistFile", file);
  Check(persist.p->Load(file.c_str(), STGM_READ), L"loading", file);
  wchar_t text[MAX_PATH * 2] = {};
  LinkFields fields;
  // Raw path: the target as stored, not resolved against what exists now.
  Check(link.p->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH), L"GetPath", file);
  fields.target = text;
  text[0] = 0;
  Check(link.p->GetArguments(text, MAX_PATH * 2), L"GetArguments", file);
  fields.arguments = text;
  text[0] = 0;
  Check(link.p->GetWorkingDirectory(text, MAX_PATH * 2), L"GetWorkingDirectory", file);
  fields.workingFolder = text;
  text[0] = 0;
  Check(link.p->GetDescription(text, MAX_PATH * 2), L"GetDescription", file);
  fields.description = text;
  return fields;
}

}  // namespace vdriver
