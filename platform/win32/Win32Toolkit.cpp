#include "platform/win32/Win32Toolkit.h"

#include "platform/win32/WinApi.h"

#include <commctrl.h>
#include <objbase.h>
#include <shobjidl.h>
#include <wincodec.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace vantrel::win32 {

namespace {

const wchar_t kFormClass[] = L"VantrelForm";
const wchar_t kPanelClass[] = L"VantrelPanel";
const wchar_t kTimerClass[] = L"VantrelTimers";
constexpr COLORREF kTextColour = RGB(0x1F, 0x24, 0x2B);
constexpr COLORREF kLinkColour = RGB(0x00, 0x5A, 0xB4);
// Wide enough for a sentence per line; a tip breaks its text at this width
// and at "\n" only once a width is set at all.
constexpr int kTipWidthTwips = 5400;
// Long tips (a disk's several facts) need longer than the default 5 s to read.
constexpr int kTipShownMs = 30000;
// A DoEvents that keeps finding work returns after this long, so the loop
// that called it goes on (a timer whose tick outlasts its interval would
// otherwise keep the queue busy for ever).
constexpr ULONGLONG kDoEventsBudgetMs = 100;

void Release(void* p) {
  if (p) static_cast<IUnknown*>(p)->Release();
}

struct FontKey {
  int charset, points;
  bool bold, underline;
  bool operator<(const FontKey& o) const {
    return std::tie(charset, points, bold, underline) < std::tie(o.charset, o.points, o.bold, o.underline);
  }
};

struct FormWindow {
  HWND hwnd = nullptr;
  HBITMAP background = nullptr;  // scaled to the client area
  HBRUSH backgroundBrush = nullptr;
  HWND tips = nullptr;  // made with the first tip; owned by hwnd, so it goes with it
  // What the taskbar button was last asked to show: a button made anew
  // (Explorer restarted) is told again.
  TaskbarProgress taskbar;
};

// What a progress bar was last told, so a change sends only what differs.
// The bar counts in 32 bits; byte counts of large disks are scaled down.
struct BarState {
  int64_t scale = 1;
  int range = -1;  // -1: nothing sent yet
  int position = -1;
};

int64_t BarScale(int64_t max) {
  int64_t scale = 1;
  while (max / scale > 0x7FFFFFFF) scale *= 1024;
  return scale;
}

// A tool is named by its window; the tooltip subclasses it to see the mouse.
TOOLINFOW ToolOf(HWND control) {
  TOOLINFOW tool{};
  // The size that both common-controls versions accept.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

}  // namespace

struct Win32Toolkit::Impl {
  int dpi = 96;
  HWND timerWindow = nullptr;
  IWICImagingFactory* wic = nullptr;
  // The shell's taskbar, asked for at the first use; null where there is none.
  ITaskbarList3* taskbar = nullptr;
  bool taskbarAsked = false;
  // The shell sends it when a window's taskbar button is made; before that
  // the button takes no progress.
  UINT buttonCreated = 0;
  std::map<Form*, FormWindow> forms;
  std::map<Control*, HWND> windows;
  std::map<HWND, Control*> controls;
  std::map<Control*, BarState> bars;
  std::set<HWND> tipped;  // controls that have a tool in their form's tooltip
  std::map<UINT_PTR, Timer*> timers;
  std::map<Timer*, UINT_PTR> timerIds;
  UINT_PTR nextTimerId = 1;
  std::map<FontKey, HFONT> fonts;
  std::map<std::tuple<const PictureData*, int, int>, HBITMAP> scaled;
  // Form windows whose procedure the logic replaced: the window's own
  // procedure, and the replacement that now gets its messages.
  std::map<HWND, WNDPROC> ownProcs;
  std::map<HWND, WindowProc> replacedProcs;
  // The control that had the focus when it was disabled; its form holds the
  // focus until the control is enabled again.
  HWND parkedFocus = nullptr;
  bool ended = false;

  int Px(int twips) const { return MulDiv(twips, dpi, 1440); }
  Form* FormOf(HWND hwnd) {
    for (auto& [form, w] : forms)
      if (w.hwnd == hwnd) return form;
    return nullptr;
  }
  Control* ControlOf(HWND hwnd) {
    const auto it = controls.find(hwnd);
    return it == controls.end() ? nullptr : it->second;
  }
  HWND ParentWindow(Control& c) {
    if (c.parent()) {
      const auto it = windows.find(c.parent());
      if (it != windows.end()) return it->second;
    }
    return forms[&c.form()].hwnd;
  }

  HFONT Font(const Control& c) {
    const FontKey key{c.FontCharset(), c.fontPoints, c.bold, c.kind() == ControlKind::LinkLabel};
    HFONT& f = fonts[key];
    if (!f)
      f = CreateFontW(-MulDiv(key.points, dpi, 72), 0, 0, 0, key.bold ? FW_BOLD : FW_NORMAL, FALSE,
                      key.underline, FALSE, static_cast<BYTE>(key.charset), OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
    return f;
  }

  // A picture scaled to a size with a good filter, as a premultiplied DIB.
  HBITMAP Scaled(const Picture& picture, int width, int height) {
    if (!picture || !picture->handle || width <= 0 || height <= 0 || !wic) return nullptr;
    HBITMAP& bmp = scaled[{picture.get(), width, height}];
    if (bmp) return bmp;
    IWICBitmapScaler* scaler = nullptr;
    if (FAILED(wic->CreateBitmapScaler(&scaler))) return nullptr;
    auto* source = static_cast<IWICBitmapSource*>(picture->handle.get());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    if (SUCCEEDED(scaler->Initialize(source, width, height, WICBitmapInterpolationModeFant))) {
      bmp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      if (bmp) scaler->CopyPixels(nullptr, width * 4, width * height * 4, static_cast<BYTE*>(bits));
    }
    scaler->Release();
    return bmp;
  }

  Picture Decode(IWICBitmapDecoder* decoder, const std::wstring& source) {
    IWICBitmapFrameDecode* frame = nullptr;
    IWICBitmapSource* converted = nullptr;
    if (SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame, &converted))) {
      auto p = std::make_shared<PictureData>();
      p->source = source;
      UINT w = 0, h = 0;
      converted->GetSize(&w, &h);
      p->width = static_cast<int>(w);
      p->height = static_cast<int>(h);
      p->handle = std::shared_ptr<void>(converted, Release);
      frame->Release();
      return p;
    }
    if (frame) frame->Release();
    return nullptr;
  }

  // Where a control's top-left lies in its form's client area.
  POINT InForm(HWND hwnd) {
    POINT p{0, 0};
    HWND top = GetAncestor(hwnd, GA_ROOT);
    MapWindowPoints(hwnd, top, &p, 1);
    return p;
  }
  FormWindow* FormWindowOf(HWND hwnd) {
    Form* f = FormOf(GetAncestor(hwnd, GA_ROOT));
    return f ? &forms[f] : nullptr;
  }

  // Fills a control's area with the form's background, aligned to the form.
  void PaintBackground(HDC dc, HWND hwnd, const RECT& area) {
    FormWindow* fw = FormWindowOf(hwnd);
    if (!fw || !fw->backgroundBrush) {
      FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
      return;
    }
    const POINT at = InForm(hwnd);
    POINT old;
    SetBrushOrgEx(dc, -at.x, -at.y, &old);
    FillRect(dc, &area, fw->backgroundBrush);
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
  }

  LRESULT ColourStatic(HDC dc, HWND child) {
    SetBkMode(dc, TRANSPARENT);
    Control* c = ControlOf(child);
    SetTextColor(dc, c && !c->Enabled() ? GetSysColor(COLOR_GRAYTEXT) : kTextColour);
    FormWindow* fw = FormWindowOf(child);
    if (!fw || !fw->backgroundBrush) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    const POINT at = InForm(child);
    SetBrushOrgEx(dc, -at.x, -at.y, nullptr);
    return reinterpret_cast<LRESULT>(fw->backgroundBrush);
  }

  void DrawItem(const DRAWITEMSTRUCT& di) {
    Control* c = ControlOf(di.hwndItem);
    if (!c) return;
    PaintBackground(di.hDC, di.hwndItem, di.rcItem);
    if (c->kind() == ControlKind::Image) {
      const int w = di.rcItem.right - di.rcItem.left, h = di.rcItem.bottom - di.rcItem.top;
      if (HBITMAP bmp = Scaled(c->picture(), w, h)) {
        HDC mem = CreateCompatibleDC(di.hDC);
        HGDIOBJ old = SelectObject(mem, bmp);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(di.hDC, di.rcItem.left, di.rcItem.top, w, h, mem, 0, 0, w, h, blend);
        SelectObject(mem, old);
        DeleteDC(mem);
      }
      // The whole item is drawn anew each time, so the frame goes with the focus.
      if (c->focusable && (di.itemState & ODS_FOCUS)) {
        RECT frame = di.rcItem;
        InflateRect(&frame, -1, -1);
        DrawFocusRect(di.hDC, &frame);
      }
    } else if (c->kind() == ControlKind::Label) {
      SetBkMode(di.hDC, TRANSPARENT);
      SetTextColor(di.hDC, kTextColour);
      HGDIOBJ old = SelectObject(di.hDC, Font(*c));
      // Word wrapping is measured a little narrower than the box, because
      // some renderers draw small text a few pixels wider than they measure it.
      RECT text = di.rcItem;
      text.right -= std::max(3L, (text.right - text.left) / 40);
      DrawTextW(di.hDC, c->Caption().c_str(), -1, &text, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
      SelectObject(di.hDC, old);
    } else if (c->kind() == ControlKind::LinkLabel) {
      SetBkMode(di.hDC, TRANSPARENT);
      SetTextColor(di.hDC, c->Enabled() ? kLinkColour : GetSysColor(COLOR_GRAYTEXT));
      HGDIOBJ old = SelectObject(di.hDC, Font(*c));
      RECT text = di.rcItem;
      // Top-aligned like the labels beside it; the focus frame hugs the text.
      DrawTextW(di.hDC, c->Caption().c_str(), -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
      text.right = std::min(text.right + 4, di.rcItem.right);
      DrawTextW(di.hDC, c->Caption().c_str(), -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
      if (di.itemState & ODS_FOCUS) {
        InflateRect(&text, 2, 0);
        DrawFocusRect(di.hDC, &text);
      }
      SelectObject(di.hDC, old);
    }
  }

  void Command(HWND child, WORD code) {
    Control* c = ControlOf(child);
    if (c && c->kind() == ControlKind::TextBox) {
      if (code == EN_CHANGE) c->SetCaption(WindowText(child));
      return;
    }
    // An image that takes the focus is an owner-drawn button, which tells a
    // quick second click as a double click.
    const bool clicked = code == BN_CLICKED || code == STN_CLICKED || code == STN_DBLCLK ||
                         (code == BN_DOUBLECLICKED && c && c->focusable);
    if (!c || !clicked) return;
    if (!c->Visible() || !c->Enabled()) return;
    c->Click();
  }

  // The text a control's window carries: what a screen reader reads. On a
  // button an "&" would mark a key that clicks it ("R&D" would take D), so
  // a focusable picture's name keeps its "&" as "&&", which reads as one.
  static std::wstring TextFor(const Control& c) {
    std::wstring text = c.AccessibleName();
    if (c.focusable)
      for (std::size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at + 2)) text.insert(at, 1, L'&');
    return text;
  }

  static std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
  }

  // The Enter key presses the form's default button when it can.
  LRESULT DefaultButton(Form& form) {
    const Control* c = form.DefaultButton();
    if (c && c->kind() == ControlKind::Button && c->Visible()) return MAKELRESULT(c->id(), DC_HASDEFID);
    return 0;
  }

  // Esc presses the form's cancel button when it can be clicked.
  void CancelButton(Form& form) {
    Control* c = form.CancelButton();
    const auto it = c ? windows.find(c) : windows.end();
    if (it != windows.end() && IsWindowVisible(it->second) && c->Enabled()) c->Click();
  }

  // The default look goes with the form's default button as pages change it.
  void ApplyDefaultLook(Form& form) {
    for (Control* c : form.Controls()) {
      const auto it = windows.find(c);
      if (c->kind() != ControlKind::Button || it == windows.end()) continue;
      const DWORD look = c == form.DefaultButton() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      if ((GetWindowLongW(it->second, GWL_STYLE) & BS_TYPEMASK) != look)
        SendMessageW(it->second, BM_SETSTYLE, look, TRUE);
    }
  }

  bool Cursor(HWND over) {
    // The busy pointer covers the whole window while the form works.
    if (Form* f = FormOf(GetAncestor(over, GA_ROOT)); f && f->BusyPointer()) {
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      return true;
    }
    Control* c = ControlOf(over);
    if (c && (c->kind() == ControlKind::LinkLabel)) {
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return true;
    }
    return false;
  }

  // Messages the form and its panels handle alike.
  bool Shared(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN:
        result = ColourStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        return true;
      case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        result = TRUE;
        return true;
      case WM_COMMAND:
        if (lp) Command(reinterpret_cast<HWND>(lp), HIWORD(wp));
        else if (Control* c = ById(hwnd, LOWORD(wp))) Command(windows[c], BN_CLICKED);
        result = 0;
        return true;
      case WM_NOTIFY:
        if (!lp) return false;
        if (reinterpret_cast<NMHDR*>(lp)->code == LVN_GETDISPINFOW)
          ListText(*reinterpret_cast<NMLVDISPINFOW*>(lp));
        else if (reinterpret_cast<NMHDR*>(lp)->code == LVN_ITEMCHANGED)
          ListChosen(reinterpret_cast<NMHDR*>(lp)->hwndFrom);
        else
          return false;
        result = 0;
        return true;
      case WM_SETCURSOR:
        if (Cursor(reinterpret_cast<HWND>(wp))) {
          result = TRUE;
          return true;
        }
        return false;
      case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        PaintBackground(reinterpret_cast<HDC>(wp), hwnd, r);
        result = TRUE;
        return true;
      }
      default:
        return false;
    }
  }

  Control* ById(HWND anyInForm, int id) {
    Form* f = FormOf(GetAncestor(anyInForm, GA_ROOT));
    if (!f) return nullptr;
    for (Control* c : f->Controls())
      if (c->id() == id && windows.count(c)) return c;
    return nullptr;
  }

  // A disabled control loses the focus, and with nothing focused the keys
  // reach nobody: Enter would no longer press the default button. So the
  // form takes the focus meanwhile and hands it back.
  void ParkFocus(HWND control) {
    if (GetFocus() != control) return;
    parkedFocus = control;
    SetFocus(GetAncestor(control, GA_ROOT));
  }
  void UnparkFocus(HWND control) {
    if (parkedFocus != control) return;
    parkedFocus = nullptr;
    if (GetFocus() == GetAncestor(control, GA_ROOT)) SetFocus(control);
  }

  HWND WindowOf(Form& form) {
    const auto it = forms.find(&form);
    return it == forms.end() ? nullptr : it->second.hwnd;
  }
  ITaskbarList3* Taskbar() {
    if (taskbarAsked) return taskbar;
    taskbarAsked = true;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                reinterpret_cast<void**>(&taskbar))))
      taskbar = nullptr;
    else if (FAILED(taskbar->HrInit()))
      Release(std::exchange(taskbar, nullptr));
    return taskbar;
  }
  bool ApplyTaskbar(HWND hwnd, const TaskbarProgress& p) {
    static const TBPFLAG kStates[] = {TBPF_NOPROGRESS, TBPF_NORMAL, TBPF_PAUSED, TBPF_ERROR};
    ITaskbarList3* bar = Taskbar();
    if (!bar || !hwnd) return false;
    HRESULT hr = bar->SetProgressState(hwnd, kStates[static_cast<int>(p.state)]);
    // A value sent with no progress shown would bring the bar back.
    if (SUCCEEDED(hr) && p.state != TaskbarState::None)
      hr = bar->SetProgressValue(hwnd, std::min(p.done, p.total), std::max<uint64_t>(p.total, 1));
    return SUCCEEDED(hr);
  }

  void CreateWindowFor(Control& c);
  void ApplyPosition(Control& c);
  void ApplyAll(Control& c);
  void ApplyCheck(Control& c, HWND hwnd);
  void ApplyBar(Control& c, HWND hwnd, bool rangeChanged);
  HWND TipsOf(Form& form);
  void ApplyToolTip(Control& c, HWND hwnd);
  void RemoveToolTip(HWND hwnd);
  void MakeFormWindow(Form& form);
  void RebuildBackground(Form& form);
  bool ApplyColumns(Control& c, HWND hwnd);
  void ListText(NMLVDISPINFOW& info);
  void ListChosen(HWND list);
  void ApplyRows(Control& c, HWND hwnd);
};

namespace {

Win32Toolkit::Impl* g_impl = nullptr;

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    LRESULT result = 0;
    if (g_impl) {
      if (msg == DM_GETDEFID) {
        if (Form* f = g_impl->FormOf(hwnd)) return g_impl->DefaultButton(*f);
      }
      // What the dialog manager sends for Esc.
      if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL && !lp) {
        if (Form* f = g_impl->FormOf(hwnd)) g_impl->CancelButton(*f);
        return 0;
      }
      if (msg == g_impl->buttonCreated && g_impl->buttonCreated) {
        if (Form* f = g_impl->FormOf(hwnd)) g_impl->ApplyTaskbar(hwnd, g_impl->forms[f].taskbar);
        return 0;
      }
      if (msg == WM_CLOSE) {
        if (Form* f = g_impl->FormOf(hwnd)) {
          if (f->Close(0)) Toolkit().EndProgram();
        }
        return 0;
      }
      // Windows is ending the session: the form stops a run and removes its
      // work folders before we answer, because after WM_ENDSESSION the
      // process may be ended at any moment. That close is never refused.
      if (msg == WM_QUERYENDSESSION) {
        if (Form* f = g_impl->FormOf(hwnd)) f->Close(kUnloadSessionEnding);
        return TRUE;
      }
      // The session goes on after all (another program refused): the
      // window that agreed to go comes back.
      if (msg == WM_ENDSESSION) {
        if (wp) Toolkit().EndProgram();
        else if (Form* f = g_impl->FormOf(hwnd)) f->SessionEndCancelled();
        return 0;
      }
      if (g_impl->Shared(hwnd, msg, wp, lp, result)) return result;
    }
  } catch (...) {
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    LRESULT result = 0;
    if (g_impl && g_impl->Shared(hwnd, msg, wp, lp, result)) return result;
  } catch (...) {
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK TimerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && g_impl) {
    try {
      const auto it = g_impl->timers.find(wp);
      if (it != g_impl->timers.end()) it->second->Tick();
    } catch (...) {
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// A form window whose procedure the logic replaced. A replacement that
// throws leaves the message to the window's own procedure.
LRESULT CALLBACK ReplacedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (g_impl) {
    const auto replaced = g_impl->replacedProcs.find(hwnd);
    if (replaced != g_impl->replacedProcs.end() && replaced->second) {
      try {
        const WindowProc proc = replaced->second;  // it may replace itself meanwhile
        return proc(msg, wp, lp);
      } catch (...) {
      }
    }
    const auto own = g_impl->ownProcs.find(hwnd);
    if (own != g_impl->ownProcs.end()) return CallWindowProcW(own->second, hwnd, msg, wp, lp);
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void Register(const wchar_t* name, WNDPROC proc, HBRUSH brush) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = brush;
  wc.lpszClassName = name;
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  RegisterClassExW(&wc);
}

}  // namespace

void Win32Toolkit::Impl::ApplyPosition(Control& c) {
  const auto it = windows.find(&c);
  if (it == windows.end()) return;
  const Twips& t = c.Position();
  MoveWindow(it->second, Px(t.left), Px(t.top), Px(t.width), Px(t.height), TRUE);
}

void Win32Toolkit::Impl::CreateWindowFor(Control& c) {
  HWND parent = ParentWindow(c);
  if (!parent || windows.count(&c)) return;
  const wchar_t* cls = L"STATIC";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS, ex = 0;
  switch (c.kind()) {
    case ControlKind::Container: cls = kPanelClass; ex = WS_EX_CONTROLPARENT; break;
    case ControlKind::Label: style |= SS_OWNERDRAW | SS_NOTIFY; break;
    case ControlKind::Image:
      // One that takes the focus is a button: Tab, Space and the focus
      // frame come with it, and its text is what a screen reader reads.
      if (c.focusable) cls = L"BUTTON";
      style |= c.focusable ? BS_OWNERDRAW | (c.TabStop() ? WS_TABSTOP : 0) : SS_OWNERDRAW | SS_NOTIFY;
      break;
    case ControlKind::LinkLabel: cls = L"BUTTON"; style |= BS_OWNERDRAW | WS_TABSTOP; break;
    case ControlKind::Button:
      cls = L"BUTTON";
      style |= WS_TABSTOP | (&c == c.form().DefaultButton() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    case ControlKind::TextBox:
      cls = L"EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      ex = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::CheckBox: cls = L"BUTTON"; style |= BS_CHECKBOX | WS_TABSTOP | BS_MULTILINE; break;
    case ControlKind::OptionButton: cls = L"BUTTON"; style |= BS_RADIOBUTTON | WS_TABSTOP; break;
    case ControlKind::ProgressBar: cls = PROGRESS_CLASSW; style |= PBS_SMOOTH; break;
    case ControlKind::ListView:
      cls = WC_LISTVIEWW;
      // The list asks for the texts it draws, so a long history costs
      // nothing to fill.
      style |= LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER;
      break;
    case ControlKind::Line: style |= SS_ETCHEDHORZ; break;
  }
  // A run of option buttons is one group for the arrow keys; anything else starts a new one.
  if (c.kind() != ControlKind::OptionButton) {
    style |= WS_GROUP;
  } else {
    const auto siblings = c.form().Children(c.parent());
    const auto me = std::find(siblings.begin(), siblings.end(), &c);
    if (me == siblings.begin() || (*(me - 1))->kind() != ControlKind::OptionButton) style |= WS_GROUP;
  }
  const Twips& t = c.Position();
  // A window's text is what the system's accessibility proxy names it by;
  // the owner-drawn kinds draw the caption from the model, not that text.
  HWND hwnd = CreateWindowExW(ex, cls, TextFor(c).c_str(), style, Px(t.left), Px(t.top), Px(t.width),
                              Px(t.height), parent, reinterpret_cast<HMENU>(static_cast<intptr_t>(c.id())),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return;
  windows[&c] = hwnd;
  controls[hwnd] = &c;
  ApplyAll(c);
}

void Win32Toolkit::Impl::ApplyAll(Control& c) {
  HWND hwnd = windows[&c];
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font(c)), FALSE);
  ApplyCheck(c, hwnd);
  if (c.kind() == ControlKind::ProgressBar) ApplyBar(c, hwnd, true);
  if (c.kind() == ControlKind::ListView) {
    ListView_SetExtendedListViewStyle(hwnd, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ApplyColumns(c, hwnd);
    ApplyRows(c, hwnd);
  }
  ApplyToolTip(c, hwnd);
  EnableWindow(hwnd, c.Enabled());
  ShowWindow(hwnd, c.Visible() ? SW_SHOWNA : SW_HIDE);
}

void Win32Toolkit::Impl::ApplyCheck(Control& c, HWND hwnd) {
  if (c.kind() == ControlKind::CheckBox || c.kind() == ControlKind::OptionButton)
    SendMessageW(hwnd, BM_SETCHECK, c.Value() == 1 ? BST_CHECKED : c.Value() == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
}

// A run moves its bar after every block it writes; a new range repaints the
// whole bar, so it is sent only when the maximum changed, and a position only
// when it moves the bar.
void Win32Toolkit::Impl::ApplyBar(Control& c, HWND hwnd, bool rangeChanged) {
  BarState& bar = bars[&c];
  if (rangeChanged || bar.range < 0) {
    bar.scale = BarScale(c.Max());
    const int range = static_cast<int>(c.Max() / bar.scale);
    if (range != bar.range) {
      SendMessageW(hwnd, PBM_SETRANGE32, 0, static_cast<LPARAM>(range));
      bar.range = range;
      bar.position = std::min(bar.position, range);  // the bar keeps its position within the range
    }
  }
  const int position = static_cast<int>(c.Value() / bar.scale);
  if (position == bar.position) return;
  SendMessageW(hwnd, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  bar.position = position;
}

// The list's columns: captions and widths, added or removed to match.
// True when their number changed, which changes what a row shows.
bool Win32Toolkit::Impl::ApplyColumns(Control& c, HWND hwnd) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd, LVM_GETHEADER, 0, 0));
  const int had = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  const int want = static_cast<int>(c.Columns().size());
  for (int i = had - 1; i >= want; --i) SendMessageW(hwnd, LVM_DELETECOLUMN, i, 0);
  for (int i = 0; i < want; ++i) {
    const ListColumn& column = c.Columns()[i];
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    lvc.pszText = const_cast<wchar_t*>(column.caption.c_str());
    lvc.cx = Px(column.width);
    lvc.iSubItem = i;
    SendMessageW(hwnd, i < had ? LVM_SETCOLUMNW : LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&lvc));
    SendMessageW(hwnd, LVM_SETCOLUMNWIDTH, i, lvc.cx);
  }
  return had != want;
}

// The list learns only how many rows there are; it asks for the texts of
// those it draws (ListText).
void Win32Toolkit::Impl::ApplyRows(Control& c, HWND hwnd) {
  SendMessageW(hwnd, LVM_DELETEALLITEMS, 0, 0);
  SendMessageW(hwnd, LVM_SETITEMCOUNT, c.Rows().size(), 0);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Win32Toolkit::Impl::ListText(NMLVDISPINFOW& info) {
  Control* c = ControlOf(info.hdr.hwndFrom);
  if (!c || !(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
  info.item.pszText[0] = L'\0';
  const std::size_t row = static_cast<std::size_t>(info.item.iItem), cell = static_cast<std::size_t>(info.item.iSubItem);
  if (row >= c->Rows().size() || cell >= c->Rows()[row].size() || cell >= c->Columns().size()) return;
  lstrcpynW(info.item.pszText, c->Rows()[row][cell].c_str(), info.item.cchTextMax);
}

// The user chose another row, or none: the model learns it, and the list's
// click runs.
void Win32Toolkit::Impl::ListChosen(HWND list) {
  Control* c = ControlOf(list);
  if (!c) return;
  const int64_t row = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  if (row == c->Value()) return;
  c->SetValue(row);
  c->Click();
}

HWND Win32Toolkit::Impl::TipsOf(Form& form) {
  FormWindow& fw = forms[&form];
  if (fw.tips || !fw.hwnd) return fw.tips;
  // Always-tip: the disk panel explains itself also while another window is active.
  fw.tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, fw.hwnd, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!fw.tips) return nullptr;
  SendMessageW(fw.tips, TTM_SETMAXTIPWIDTH, 0, Px(kTipWidthTwips));
  SendMessageW(fw.tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTipShownMs);
  return fw.tips;
}

void Win32Toolkit::Impl::ApplyToolTip(Control& c, HWND hwnd) {
  if (c.ToolTip().empty()) return RemoveToolTip(hwnd);
  HWND tips = TipsOf(c.form());
  if (!tips) return;
  TOOLINFOW tool = ToolOf(hwnd);
  tool.lpszText = const_cast<wchar_t*>(c.ToolTip().c_str());  // the tooltip keeps its own copy
  const bool known = tipped.count(hwnd) != 0;
  if (SendMessageW(tips, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) || known)
    tipped.insert(hwnd);
}

void Win32Toolkit::Impl::RemoveToolTip(HWND hwnd) {
  if (!tipped.erase(hwnd)) return;
  FormWindow* fw = FormWindowOf(hwnd);
  if (!fw || !fw->tips) return;
  TOOLINFOW tool = ToolOf(hwnd);
  SendMessageW(fw->tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Toolkit::Impl::RebuildBackground(Form& form) {
  FormWindow& fw = forms[&form];
  if (!fw.hwnd) return;
  RECT r;
  GetClientRect(fw.hwnd, &r);
  if (fw.backgroundBrush) DeleteObject(fw.backgroundBrush);
  fw.backgroundBrush = nullptr;
  fw.background = Scaled(form.Background(), r.right, r.bottom);
  if (fw.background) fw.backgroundBrush = CreatePatternBrush(fw.background);
  RedrawWindow(fw.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Toolkit::Impl::MakeFormWindow(Form& form) {
  FormWindow& fw = forms[&form];
  if (fw.hwnd) return;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT r{0, 0, Px(form.Width()), Px(form.Height())};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_CONTROLPARENT);
  const int w = r.right - r.left, h = r.bottom - r.top;
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  fw.hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, form.Caption().c_str(), style,
                            work.left + std::max(0L, (work.right - work.left - w) / 2),
                            work.top + std::max(0L, (work.bottom - work.top - h) / 2), w, h, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  // An elevated program hears from the unelevated shell only when it says so.
  if (fw.hwnd && buttonCreated) ChangeWindowMessageFilterEx(fw.hwnd, buttonCreated, MSGFLT_ALLOW, nullptr);
  for (Control* c : form.Controls()) CreateWindowFor(*c);
  RebuildBackground(form);
}

Win32Toolkit::Win32Toolkit() : impl_(new Impl) {
  g_impl = impl_;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  HDC screen = GetDC(nullptr);
  impl_->dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                   reinterpret_cast<void**>(&impl_->wic));
  impl_->buttonCreated = RegisterWindowMessageW(L"TaskbarButtonCreated");
  Register(kFormClass, FormProc, nullptr);
  Register(kPanelClass, PanelProc, nullptr);
  Register(kTimerClass, TimerProc, nullptr);
  impl_->timerWindow = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
}

Win32Toolkit::~Win32Toolkit() {
  for (auto& [key, font] : impl_->fonts) DeleteObject(font);
  for (auto& [key, bmp] : impl_->scaled)
    if (bmp) DeleteObject(bmp);
  if (impl_->wic) impl_->wic->Release();
  Release(impl_->taskbar);
  g_impl = nullptr;
  delete impl_;
}

void Win32Toolkit::FormShown(Form& form) { impl_->MakeFormWindow(form); }

void Win32Toolkit::FormChanged(Form& form) {
  const auto it = impl_->forms.find(&form);
  if (it == impl_->forms.end() || !it->second.hwnd) return;
  HWND hwnd = it->second.hwnd;
  SetWindowTextW(hwnd, form.Caption().c_str());
  if (it->second.background == nullptr && form.Background()) impl_->RebuildBackground(form);
  impl_->ApplyDefaultLook(form);
  // The pointer changes at once, not only when the mouse next moves.
  POINT at;
  if (GetCursorPos(&at) && GetAncestor(WindowFromPoint(at), GA_ROOT) == hwnd)
    SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(WindowFromPoint(at)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  const bool shown = IsWindowVisible(hwnd) != 0;
  if (form.Visible() && !shown) {
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    UpdateWindow(hwnd);
  } else if (!form.Visible() && shown) {
    ShowWindow(hwnd, SW_HIDE);
  }
}

void Win32Toolkit::FormDestroyed(Form& form) {
  const auto it = impl_->forms.find(&form);
  if (it == impl_->forms.end()) return;
  for (Control* c : form.Controls()) ControlRemoved(*c);
  for (Timer* t : form.Timers()) {
    const auto id = impl_->timerIds.find(t);
    if (id != impl_->timerIds.end()) {
      KillTimer(impl_->timerWindow, id->second);
      impl_->timers.erase(id->second);
      impl_->timerIds.erase(id);
    }
  }
  if (it->second.hwnd) {
    DestroyWindow(it->second.hwnd);
    impl_->replacedProcs.erase(it->second.hwnd);
    impl_->ownProcs.erase(it->second.hwnd);
  }
  if (it->second.backgroundBrush) DeleteObject(it->second.backgroundBrush);
  impl_->forms.erase(it);
}

void Win32Toolkit::ControlCreated(Control& control) {
  const auto it = impl_->forms.find(&control.form());
  if (it != impl_->forms.end() && it->second.hwnd) impl_->CreateWindowFor(control);
}

void Win32Toolkit::ControlChanged(Control& c, Property property) {
  const auto it = impl_->windows.find(&c);
  if (it == impl_->windows.end()) return;
  HWND hwnd = it->second;
  switch (property) {
    case Property::Caption:
      // A text box tells the model what the user typed; sending it back would
      // only move the caret to the start.
      if (c.kind() == ControlKind::TextBox && Impl::WindowText(hwnd) == c.Caption()) break;
      SetWindowTextW(hwnd, Impl::TextFor(c).c_str());
      if (c.kind() == ControlKind::Label || c.kind() == ControlKind::LinkLabel) InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Property::Visible: ShowWindow(hwnd, c.Visible() ? SW_SHOWNA : SW_HIDE); break;
    case Property::Enabled:
      if (!c.Enabled()) impl_->ParkFocus(hwnd);
      EnableWindow(hwnd, c.Enabled());
      if (c.Enabled()) impl_->UnparkFocus(hwnd);
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Property::Value:
      if (c.kind() == ControlKind::ProgressBar) impl_->ApplyBar(c, hwnd, false);
      else impl_->ApplyCheck(c, hwnd);
      break;
    case Property::Max:
      if (c.kind() == ControlKind::ProgressBar) impl_->ApplyBar(c, hwnd, true);
      break;
    case Property::Font: SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(impl_->Font(c)), TRUE); break;
    case Property::ToolTip: impl_->ApplyToolTip(c, hwnd); break;
    case Property::Picture: InvalidateRect(hwnd, nullptr, TRUE); break;
    case Property::Position: impl_->ApplyPosition(c); break;
    case Property::Focus: SetFocus(hwnd); break;
    case Property::Columns:
      if (impl_->ApplyColumns(c, hwnd)) impl_->ApplyRows(c, hwnd);
      break;
    case Property::Rows: impl_->ApplyRows(c, hwnd); break;
    case Property::Name: SetWindowTextW(hwnd, Impl::TextFor(c).c_str()); break;
  }
}

void Win32Toolkit::ControlRemoved(Control& control) {
  const auto it = impl_->windows.find(&control);
  if (it == impl_->windows.end()) return;
  impl_->RemoveToolTip(it->second);
  if (impl_->parkedFocus == it->second) impl_->parkedFocus = nullptr;
  impl_->controls.erase(it->second);
  impl_->bars.erase(&control);
  DestroyWindow(it->second);
  impl_->windows.erase(it);
}

void Win32Toolkit::TimerChanged(Timer& timer) {
  const auto it = impl_->timerIds.find(&timer);
  if (timer.Enabled()) {
    const UINT_PTR id = it != impl_->timerIds.end() ? it->second : impl_->nextTimerId++;
    impl_->timerIds[&timer] = id;
    impl_->timers[id] = &timer;
    SetTimer(impl_->timerWindow, id, timer.Interval(), nullptr);
  } else if (it != impl_->timerIds.end()) {
    KillTimer(impl_->timerWindow, it->second);
  }
}

// GetFocus names nothing while another program is active, so a rebuild
// then moves no focus (and activates no window).
Control* Win32Toolkit::Focused(const Form& form) {
  Control* c = impl_->ControlOf(GetFocus());
  return c && &c->form() == &form ? c : nullptr;
}

namespace {
// The arrow keys move among the elements of a focusable control array and
// among the option buttons of a group, selecting as they go, as Windows'
// own option buttons do. The dialog manager cannot: the elements made at run
// time lie apart in the window order, and it finds no group of a form's
// option buttons inside a page (tried under Wine: the focus stays).
bool ArrowKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !g_impl) return false;
  const int step = msg.wParam == VK_RIGHT || msg.wParam == VK_DOWN ? 1 : msg.wParam == VK_LEFT || msg.wParam == VK_UP ? -1 : 0;
  Control* c = step ? g_impl->ControlOf(msg.hwnd) : nullptr;
  if (!c || !(c->focusable || c->kind() == ControlKind::OptionButton)) return false;
  if (Control* next = c->form().Neighbour(*c, step)) {
    const auto it = g_impl->windows.find(next);
    if (it != g_impl->windows.end()) SetFocus(it->second);
    if (next->kind() == ControlKind::OptionButton) next->Click();
  }
  return true;
}

bool Dispatch(const MSG& msg) {
  if (ArrowKey(msg)) return true;
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && g_impl && g_impl->FormOf(root) && IsDialogMessageW(root, const_cast<MSG*>(&msg))) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}
}  // namespace

void Win32Toolkit::DoEvents() {
  const ULONGLONG start = GetTickCount64();
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
    if (GetTickCount64() - start >= kDoEventsBudgetMs) return;
  }
}

void Win32Toolkit::Run() {
  MSG msg;
  while (!impl_->ended && GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
}

void Win32Toolkit::EndProgram() {
  impl_->ended = true;
  PostQuitMessage(0);
}

Picture Win32Toolkit::LoadPicture(const std::wstring& file) {
  if (!impl_->wic) return nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  if (FAILED(impl_->wic->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnDemand, &decoder)))
    return nullptr;
  Picture p = impl_->Decode(decoder, file);
  decoder->Release();
  return p;
}

Picture Win32Toolkit::ResourcePicture(const std::wstring& name) {
  if (!impl_->wic) return nullptr;
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(self, name.c_str(), RT_RCDATA);
  HGLOBAL data = res ? LoadResource(self, res) : nullptr;
  if (!data) return nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  Picture p;
  if (SUCCEEDED(impl_->wic->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromMemory(static_cast<BYTE*>(LockResource(data)), SizeofResource(self, res))) &&
      SUCCEEDED(impl_->wic->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)))
    p = impl_->Decode(decoder, name);
  if (decoder) decoder->Release();
  if (stream) stream->Release();
  return p;
}

WindowProc Win32Toolkit::ReplaceWindowProc(Form& form, WindowProc proc) {
  const auto it = impl_->forms.find(&form);
  if (it == impl_->forms.end() || !it->second.hwnd) return {};
  HWND hwnd = it->second.hwnd;
  auto own = impl_->ownProcs.find(hwnd);
  if (own == impl_->ownProcs.end())
    own = impl_->ownProcs.emplace(hwnd, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC))).first;
  WindowProc& current = impl_->replacedProcs[hwnd];
  WindowProc previous = current;
  if (!previous)
    previous = [hwnd, ownProc = own->second](uint32_t msg, uintptr_t wp, intptr_t lp) -> intptr_t {
      return CallWindowProcW(ownProc, hwnd, msg, wp, lp);
    };
  current = std::move(proc);
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != ReplacedProc)
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReplacedProc));
  return previous;
}

bool Win32Toolkit::ShowTaskbarProgress(Form& form, const TaskbarProgress& progress) {
  HWND hwnd = impl_->WindowOf(form);
  if (!hwnd) return false;
  impl_->forms[&form].taskbar = progress;
  return impl_->ApplyTaskbar(hwnd, progress);
}

bool Win32Toolkit::InFront(Form& form) {
  HWND hwnd = impl_->WindowOf(form);
  return hwnd && GetForegroundWindow() == hwnd && !IsIconic(hwnd);
}

// FlashWindowEx answers with the window's look before the call, not with
// success: a window that is there is taken as heard.
bool Win32Toolkit::FlashTaskbarButton(Form& form) {
  HWND hwnd = impl_->WindowOf(form);
  if (!hwnd || !IsWindow(hwnd)) return false;
  FLASHWINFO flash{sizeof flash, hwnd, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
  FlashWindowEx(&flash);
  return true;
}

}  // namespace vantrel::win32
