#include "tests/e2e/driver/RecycleBin.h"

#include "tests/e2e/driver/Common.h"

#include <shellapi.h>

namespace vdriver {

void DeleteToRecycleBin(const std::wstring& file) {
  std::wstring from = file;
  from.push_back(L'\0');  // the list ends with an empty name
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  const int result = SHFileOperationW(&op);
  if (result != 0 || op.fAnyOperationsAborted) Fail(L"could not delete " + file + L" to the Recycle Bin: " + std::to_wstring(result));
}

}  // namespace vdriver
