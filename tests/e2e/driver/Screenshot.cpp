// Window pictures: capture into a memory bitmap, check that something was
// drawn, write a bottom-up 24-bit BMP.
#include "tests/e2e/driver/Screenshot.h"

#include "tests/e2e/driver/Common.h"

#include <vector>

namespace vdriver {
namespace {

struct Picture {
  LONG width = 0;
  LONG height = 0;
  std::vector<BYTE> rows;  // bottom-up, each padded to 4 bytes

  LONG Stride() const { return (width * 3 + 3) & ~3; }
};

BITMAPINFOHEADER HeaderOf(const Picture& picture) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = picture.width;
  header.biHeight = picture.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(picture.Stride()) * picture.height;
  return header;
}

// From the screen, since PrintWindow draws nothing for another process's
// window under Wine; the caller brings the window to the front first.
Picture Capture(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  Picture picture{r.right - r.left, r.bottom - r.top, {}};
  if (picture.width <= 0 || picture.height <= 0) Fail(L"the main window has no client area");
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.width, picture.height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, picture.width, picture.height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader = HeaderOf(picture);
  picture.rows.resize(info.bmiHeader.biSizeImage);
  GetDIBits(memory, bitmap, 0, picture.height, picture.rows.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

}  // namespace

std::vector<BYTE> ClientPixels(HWND window) { return Capture(window).rows; }

namespace {

bool IsFlat(const Picture& picture) {
  const BYTE* first = picture.rows.data();
  for (LONG y = 0; y < picture.height; ++y) {
    const BYTE* row = first + static_cast<size_t>(y) * picture.Stride();
    for (LONG x = 0; x < picture.width * 3; ++x) {
      if (row[x] != first[x % 3]) return false;
    }
  }
  return true;
}

void WriteBmp(const Picture& picture, const std::wstring& path) {
  const BITMAPINFOHEADER header = HeaderOf(picture);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + header.biSizeImage;
  vantrel::win32::FileHandle out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out.valid()) Fail(L"cannot create " + path + L" (error " + std::to_wstring(GetLastError()) + L")");
  DWORD written = 0;
  bool ok = WriteFile(out.get(), &file, sizeof file, &written, nullptr) &&
            WriteFile(out.get(), &header, sizeof header, &written, nullptr) &&
            WriteFile(out.get(), picture.rows.data(), header.biSizeImage, &written, nullptr);
  if (!ok) Fail(L"cannot write " + path + L" (error " + std::to_wstring(GetLastError()) + L")");
}

}  // namespace

void SaveScreenshot(HWND window, const std::wstring& path) {
  const Picture picture = Capture(window);
  if (IsFlat(picture)) Fail(L"the picture of the main window is one flat colour: nothing was rendered");
  WriteBmp(picture, path);
}

}  // namespace vdriver
