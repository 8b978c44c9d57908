// The one header through which the program includes <windows.h>. Only the
// files of the Win32 platform include it.
#pragma once
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
// MinGW-w64's default target is older; Windows 7 is the oldest we build for.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#include <windows.h>

#include <string>

namespace vantrel::win32 {

// Closes a handle of the kind given by Close when it goes out of scope.
template <class H, auto Close, auto Invalid>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H h) : h_(h) {}
  ~Owned() { reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  H get() const { return h_; }
  H* out() { reset(); return &h_; }
  bool valid() const { return h_ != reinterpret_cast<H>(Invalid); }
  void reset() {
    if (valid()) Close(h_);
    h_ = reinterpret_cast<H>(Invalid);
  }
  // Hands the handle over; the caller closes it.
  H release() {
    const H h = h_;
    h_ = reinterpret_cast<H>(Invalid);
    return h;
  }

 private:
  H h_ = reinterpret_cast<H>(Invalid);
};

inline void CloseKey(HKEY k) { RegCloseKey(k); }
inline void CloseFile(HANDLE h) { CloseHandle(h); }
inline void CloseFind(HANDLE h) { FindClose(h); }

using KeyHandle = Owned<HKEY, CloseKey, 0>;
using FileHandle = Owned<HANDLE, CloseFile, -1>;
using FindHandle = Owned<HANDLE, CloseFind, -1>;

// 8-bit text in the system's ANSI code page and back.
std::wstring FromAnsi(const std::string& bytes);
std::string ToAnsi(const std::wstring& text);

}  // namespace vantrel::win32
