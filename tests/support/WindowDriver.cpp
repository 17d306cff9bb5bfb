#include "tests/support/WindowDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace calvane::test {
namespace {

// What the one watching driver of the thread is shown.
thread_local std::function<void(const MSG&)> watching;

LRESULT CALLBACK Taken(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && watching)
    watching(*reinterpret_cast<const MSG*>(lParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

WindowDriver::WindowDriver(Store* store, MessageBoxes* boxes, int page) {
  if (!store) store = (ownStore_ = std::make_unique<SystemRegistry>()).get();
  form_ = std::make_unique<Form1>(*store, boxes ? *boxes : boxes_, [this] { unloaded_ = true; });
  form_->Load();
  form_->Show(std::max(page, 0));
  Pump();
}

WindowDriver::~WindowDriver() {
  // What the watch looks at may be gone already.
  if (hook_) hook_.reset(), watching = nullptr;
  form_.reset();
  Pump();
}

void WindowDriver::Watch(std::function<void(const MSG&)> watch) {
  watching = std::move(watch);
  if (!hook_) hook_.reset(SetWindowsHookExW(WH_GETMESSAGE, &Taken, nullptr, GetCurrentThreadId()));
}

void WindowDriver::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message != WM_QUIT && !(form_ && form_->PreTranslate(msg)))
      TranslateMessage(&msg), DispatchMessageW(&msg);
}

HWND WindowDriver::Captioned(const wchar_t* caption) {
  std::pair<const wchar_t*, HWND> search{caption, nullptr};
  EnumChildWindows(
      form_->hwnd(),
      [](HWND child, LPARAM param) -> BOOL {
        auto& [caption, found] = *reinterpret_cast<std::pair<const wchar_t*, HWND>*>(param);
        if (Text(child) == caption) found = child;
        return !found;
      },
      reinterpret_cast<LPARAM>(&search));
  if (!search.second)
    ADD_FAILURE() << "no control captioned " << std::string(caption, caption + wcslen(caption));
  return search.second;
}

void WindowDriver::Click(HWND control, POINT at) {
  RECT r{};
  if (at.x < 0) GetClientRect(control, &r), at = Centre(r);
  Drag(control, at, at);
}

void WindowDriver::ClickOnScreen(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  POINT at = Centre(r);
  HWND target = WindowFromPoint(at);
  ScreenToClient(target, &at);
  Click(target, at);
}

void WindowDriver::ClickTab(int page) {
  RECT r{};
  SendMessageW(Hwnd("SSTab1"), TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&r));
  Click(Hwnd("SSTab1"), Centre(r));
}

void WindowDriver::Choose(const char* list, const wchar_t* item) {
  Click(Hwnd(list));
  COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
  GetComboBoxInfo(Hwnd(list), &info);
  RECT r{};
  const LRESULT index = SendMessageW(Hwnd(list), CB_FINDSTRINGEXACT, -1, LPARAM(item));
  SendMessageW(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  Click(info.hwndList, Centre(r));
}

void WindowDriver::Drag(HWND control, POINT from, POINT to) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  if (from.x != to.x || from.y != to.y)
    for (POINT at : {POINT{(from.x + to.x) / 2, (from.y + to.y) / 2}, to})
      PostMessageW(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  Deliver(control, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

void WindowDriver::Key(UINT vk, std::vector<UINT> modifiers) {
  BYTE state[256];
  GetKeyboardState(state);
  for (UINT m : modifiers) state[m] |= 0x80;
  SetKeyboardState(state);
  const UINT scan = MapVirtualKeyW(vk, 0);
  PostMessageW(Target(), WM_KEYDOWN, vk, 1 | (scan << 16));
  Deliver(Target(), WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
  for (UINT m : modifiers) state[m] &= ~0x80;
  SetKeyboardState(state);
}

std::wstring WindowDriver::Text(HWND hwnd) {
  std::wstring text(GetWindowTextLengthW(hwnd) + 1, L'\0');
  text.resize(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
  return text;
}

RECT WindowDriver::Thumb(HWND bar, int* arrow) {
  RECT thumb{};
  SCROLLBARINFO sb{sizeof sb, {}, 0, 0, 0, 0, {}};
  if (GetScrollBarInfo(bar, OBJID_CLIENT, &sb))
    thumb = {sb.xyThumbTop, 0, sb.xyThumbBottom, sb.rcScrollBar.bottom - sb.rcScrollBar.top};
  else
    SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  if (arrow) *arrow = sb.dxyLineButton;
  return thumb;
}

std::wstring WindowDriver::Look(const char* name) { return Look(Hwnd(name)); }

std::wstring WindowDriver::Look(HWND hwnd) {
  wchar_t kind[64] = {};
  GetClassNameW(hwnd, kind, 64);
  const auto is = [&kind](const wchar_t* name) { return lstrcmpiW(kind, name) == 0; };
  std::wstring look = Text(hwnd);
  if (is(WC_BUTTONW)) look = std::to_wstring(SendMessageW(hwnd, BM_GETCHECK, 0, 0));
  if (is(WC_SCROLLBARW)) look = std::to_wstring(GetScrollPos(hwnd, SB_CTL));
  if (is(TRACKBAR_CLASSW)) look = std::to_wstring(SendMessageW(hwnd, TBM_GETPOS, 0, 0));
  return look + (IsWindowEnabled(hwnd) ? L"" : L" off");
}

Picture WindowDriver::Capture() {
  HWND window = form_->hwnd();
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
  RECT r;
  GetWindowRect(window, &r);
  Picture picture{r.right - r.left, r.bottom - r.top, {}};
  picture.pixels.resize(std::size_t(picture.width) * picture.height);
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof info.bmiHeader, picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC source = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, picture.width, picture.height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, picture.width, picture.height, source, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  GetDIBits(memory, bitmap, 0, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  for (unsigned& pixel : picture.pixels) pixel &= 0xFFFFFF;
  return picture;
}

int Differences(const Picture& a, const Picture& b, int tolerance) {
  if (a.width != b.width || a.height != b.height) return a.width * a.height + 1;
  int count = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      if (std::abs(int(a.pixels[i] >> shift & 0xFF) - int(b.pixels[i] >> shift & 0xFF)) >
          tolerance) {
        ++count;
        break;
      }
    }
  }
  return count;
}

void SaveBmp(const Picture& picture, const std::string& path) {
  const int row = (picture.width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{
      0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + row * picture.height), 0,
      0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  BITMAPINFOHEADER info{sizeof info, picture.width, picture.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::unique_ptr<FILE, decltype(&std::fclose)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!out) return;
  std::fwrite(&file, sizeof file, 1, out.get());
  std::fwrite(&info, sizeof info, 1, out.get());
  std::vector<unsigned char> line(row);
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const unsigned p = picture.At(x, y);
      line[x * 3] = p & 0xFF, line[x * 3 + 1] = p >> 8 & 0xFF, line[x * 3 + 2] = p >> 16 & 0xFF;
    }
    std::fwrite(line.data(), 1, line.size(), out.get());
  }
}

}  // namespace calvane::test
