/* The least a Win32 program does to show a painted window: register a class,
   create a window of the main window's size, show it and paint a few bands
   in WM_PAINT. Its start-up under Wine is the floor against which the
   program's own start-up is read. Built by the benchmark with MinGW. */
#include <windows.h>

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r;
    GetClientRect(w, &r);
    int band = r.bottom / 8 + 1;
    for (int i = 0; i < 8; ++i) {
      RECT b = {r.left, i * band, r.right, (i + 1) * band};
      HBRUSH brush = CreateSolidBrush(RGB(30 * i, 255 - 30 * i, 128));
      FillRect(dc, &b, brush);
      DeleteObject(brush);
    }
    TextOutW(dc, 20, 20, L"reference", 9);
    EndPaint(w, &ps);
    return 0;
  }
  if (m == WM_TIMER) {
    DestroyWindow(w);
    return 0;
  }
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE prev, PWSTR cmd, int show) {
  (void)prev;
  (void)cmd;
  WNDCLASSW c = {0};
  c.lpfnWndProc = Proc;
  c.hInstance = inst;
  c.lpszClassName = L"BenchReference";
  c.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
  RegisterClassW(&c);
  HWND w = CreateWindowExW(0, L"BenchReference", L"Bench reference", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 640, 480, NULL, NULL, inst, NULL);
  /* Ends by itself, so the benchmark needs no driver that knows it. */
  SetTimer(w, 1, 4000, NULL);
  ShowWindow(w, show);
  UpdateWindow(w);
  MSG msg;
  while (GetMessageW(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
