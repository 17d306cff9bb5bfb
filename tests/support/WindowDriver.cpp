#include "tests/support/WindowDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>

namespace calvane::test {
namespace {

// A window's title or caption.
std::wstring Text(HWND hwnd) {
  std::wstring text(GetWindowTextLengthW(hwnd) + 1, L'\0');
  text.resize(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
  return text;
}

// Stops at the child window showing the caption of the pair, where it notes it.
BOOL CALLBACK Captioned(HWND child, LPARAM param) {
  auto& [caption, found] = *reinterpret_cast<std::pair<std::wstring, HWND>*>(param);
  if (Text(child) == caption) found = child;
  return !found;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

WindowDriver::WindowDriver(Store* store, MessageBoxes* boxes, int page) {
  if (!store) store = (ownStore_ = std::make_unique<SystemRegistry>()).get();
  form_ = std::make_unique<Form1>(*store, boxes ? *boxes : boxes_, boxes_, [this] { unloaded_ = true; });
  form_->Load();
  form_->Show(std::max(page, 0));
  Pump();
}

WindowDriver::~WindowDriver() {
  form_.reset();
  Pump();
}

void WindowDriver::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message != WM_QUIT && !(form_ && form_->PreTranslate(msg))) TranslateMessage(&msg), DispatchMessageW(&msg);
}

HWND WindowDriver::Hwnd(std::string_view name) {
  if (name.find('&') == name.npos) return form_->Find(name).hwnd();
  std::pair<std::wstring, HWND> search{std::wstring(name.begin(), name.end()), nullptr};
  EnumChildWindows(form_->hwnd(), &Captioned, reinterpret_cast<LPARAM>(&search));
  if (!search.second) ADD_FAILURE() << "no control captioned " << name;
  return search.second;
}

void WindowDriver::Click(HWND control, POINT at) {
  RECT r{};
  if (at.x < 0) GetClientRect(control, &r), at = Centre(r);
  Drag(control, at, at);
}

void WindowDriver::PointAt(HWND control, bool click) {
  RECT r;
  GetWindowRect(control, &r);
  POINT at = Centre(r);
  if (!click) SetCursorPos(at.x, at.y);
  HWND target = WindowFromPoint(at);
  ScreenToClient(target, &at);
  click ? Click(target, at) : Deliver(target, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
}

void WindowDriver::ClickTab(int page) {
  RECT r{};
  SendMessageW(Hwnd("SSTab1"), TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&r));
  Click(Hwnd("SSTab1"), Centre(r));
}

void WindowDriver::PressTab(int page) {
  RECT r{};
  SendMessageW(Hwnd("SSTab1"), TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&r));
  MapWindowPoints(Hwnd("SSTab1"), nullptr, reinterpret_cast<POINT*>(&r), 2);
  const POINT at = Centre(r);
  SetCursorPos(at.x, at.y);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof(INPUT));
  for (int i = 0; i < 100 && form().Page() != page; ++i) Sleep(5), Pump();
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

// What a device context shows in a rectangle of it.
Picture Grab(HDC source, const RECT& r) {
  Picture picture{r.right - r.left, r.bottom - r.top, {}};
  BITMAPINFO info{{sizeof info.bmiHeader, picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, picture.width, picture.height, source, r.left, r.top, SRCCOPY);
  for (int i = 0; i < picture.width * picture.height; ++i)
    picture.pixels.push_back(static_cast<const unsigned*>(bits)[i] & 0xFFFFFF);
  SelectObject(memory, old), DeleteObject(bitmap), DeleteDC(memory);
  return picture;
}

Picture WindowDriver::Capture(HWND list) {
  RedrawWindow(form_->hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN), Pump();
  RECT r, open;
  GetWindowRect(form_->hwnd(), &r);
  // What the screen shows where the window lies, and the list it has open.
  HDC screen = GetDC(nullptr);
  if (list) GetWindowRect(list, &open), UnionRect(&r, &r, &open);
  const Picture picture = Grab(screen, r);
  ReleaseDC(nullptr, screen);
  return picture;
}

void SavePpm(const Picture& picture, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << picture.width << ' ' << picture.height << "\n255\n";
  for (unsigned pixel : picture.pixels) out << char(pixel >> 16) << char(pixel >> 8) << char(pixel);
}

}  // namespace calvane::test
