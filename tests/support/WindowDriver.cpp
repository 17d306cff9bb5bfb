#include "tests/support/WindowDriver.h"

#include <commctrl.h>

#include <set>

#include "tests/support/FailingStore.h"
#include "window/FormLayout.h"

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

WindowDriver::WindowDriver(Store* store, bool show, MessageBoxes* boxes) {
  if (!store) store = (ownStore_ = std::make_unique<SystemRegistry>()).get();
  form_ = std::make_unique<Form1>(*store, boxes ? *boxes : boxes_, [this] { unloaded_ = true; });
  if (show) form_->Load(), form_->Show(), Pump();
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

HWND WindowDriver::Option(const char* name, int index) {
  for (const ControlRow& row : FormRows())
    if (row.kind == Kind::Option && row.index == index && std::string_view(name) == row.name)
      return FindWindowExW(form_->hwnd(), nullptr, WC_BUTTONW, row.caption);
  return nullptr;
}

std::string WindowDriver::Name(HWND hwnd) {
  for (const ControlRow& row : FormRows())
    if (row.kind != Kind::Option ? Hwnd(row.name) == hwnd : Option(row.name, row.index) == hwnd)
      return row.kind != Kind::Option ? row.name : row.name + std::to_string(row.index);
  return {};
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

int WindowDriver::Shown(HWND hwnd) {
  wchar_t kind[64] = {};
  GetClassNameW(hwnd, kind, 64);
  const auto is = [&kind](const wchar_t* name) { return lstrcmpiW(kind, name) == 0; };
  if (is(WC_BUTTONW)) return static_cast<int>(SendMessageW(hwnd, BM_GETCHECK, 0, 0));
  if (is(WC_COMBOBOXW)) return static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
  if (is(WC_SCROLLBARW)) return GetScrollPos(hwnd, SB_CTL);
  if (is(TRACKBAR_CLASSW)) return static_cast<int>(SendMessageW(hwnd, TBM_GETPOS, 0, 0));
  return 0;
}

std::wstring WindowDriver::Look(const char* name) {
  for (int i = 0; HWND option = Option(name, i); ++i)
    if (Shown(option)) return Text(option);
  const Kind kind = Row(name).kind;
  if (kind == Kind::Option) return L"-";
  HWND hwnd = Hwnd(name);
  if (kind == Kind::Label || kind == Kind::DropDown) return Text(hwnd);
  return std::to_wstring(Shown(hwnd)) + (IsWindowEnabled(hwnd) ? L"" : L" off");
}

std::wstring WindowDriver::States() {
  std::wstring all;
  for (const ControlRow& row : FormRows()) {
    HWND hwnd = row.kind == Kind::Option ? Option(row.name, row.index) : Hwnd(row.name);
    all += Text(hwnd) + L" = " + std::to_wstring(Shown(hwnd)) +
           (IsWindowEnabled(hwnd) ? L"\n" : L", disabled\n");
  }
  return all;
}

void ExpectSteps(const Seed& stored, const std::vector<Step>& steps) {
  TestRegistry registry;
  registry.SetFreshInstall();
  for (const auto& [setting, value] : stored) registry.SetRaw(setting, value.type, value.bytes);
  auto expected = registry.Everything();
  SystemRegistry system;
  FailingStore store{system};
  WindowDriver panel(&store);
  std::set<std::string> watched;  // of the start-up's writes, those that count
  for (const auto& [setting, value] : stored) watched.insert(Info(setting).name);
  for (std::size_t i = 0, notices = 0; i < steps.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i + 1));
    const auto& [act, written, shown, notice] = steps[i];
    if (act) expected = registry.Everything(), store.sets.clear(), act(panel);
    std::vector<std::string> names, sets = std::exchange(store.sets, {});
    for (const auto& [setting, value] : written) {
      names.push_back(Info(setting).name);
      expected[std::string(KeyPath(Info(setting).key)) + "\\" + names.back()] = value;
    }
    std::erase_if(sets, [&](const std::string& name) { return !act && !watched.count(name); });
    EXPECT_EQ(sets, names);
    EXPECT_EQ(registry.Everything(), expected);
    for (const auto& [name, look] : shown) EXPECT_EQ(panel.Look(name), look) << name;
    const auto& boxes = panel.boxes().shown;
    ASSERT_EQ(boxes.size(), notices += notice != nullptr);
    if (!notice) continue;
    EXPECT_EQ(boxes.back().text, notice);
    EXPECT_EQ(boxes.back().title + L" " + std::to_wstring(boxes.back().style), L"Information 64");
  }
}

void ExpectFills(const std::vector<std::tuple<Seed, Seed, Looks>>& cases) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i + 1));
    const auto& [stored, written, shown] = cases[i];
    ExpectSteps(stored, {{{}, written, shown}});
  }
}

}  // namespace calvane::test
