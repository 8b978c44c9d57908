#include "tests/e2e/driver/Accessible.h"

#include <oleacc.h>

#include "tests/e2e/driver/Common.h"

namespace vdriver {

std::wstring AccessibleNameOf(HWND control) {
  // The object of another process's window comes through COM.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccessible* object = nullptr;
  const HRESULT found =
      AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
  if (FAILED(found) || !object) Fail(L"no accessible object for the control (AccessibleObjectFromWindow failed)");
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT asked = object->get_accName(self, &name);
  object->Release();
  if (FAILED(asked)) Fail(L"the control's accessible object gives no name");
  std::wstring text = name ? std::wstring(name, SysStringLen(name)) : std::wstring();
  SysFreeString(name);
  return text;
}

}  // namespace vdriver
