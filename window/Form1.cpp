#include "window/Form1.h"

#include <commctrl.h>

#include "model/Mistake.h"

#include "model/Notices.h"
#include "window/PaintedWindows.h"
#include "pages/ResourceIds.h"
#include "pages/Pages.h"

namespace calvane {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed, no min/max box
constexpr const wchar_t* kRebootText =
    L"Please reboot your computer so that the new settings can be used";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void RegisterFormClass(WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(Instance(), kFormClass, &wc)) return;
  wc.lpfnWndProc = procedure;
  wc.hInstance = Instance();
  wc.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_PANEL));
  wc.hIconSm = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_PANEL), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  RegisterClassExW(&wc);
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

Form1::Form1(Store& store, MessageBoxes& boxes, FileDialog& files, std::function<void()> onUnload)
    : panel_(store, Pages()),
      boxes_(boxes),
      files_(files),
      onUnload_(std::move(onUnload)),
      dpi_(ScreenDpi()),
      controls_(panel_.declared()) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterFormClass(&Form1::Procedure);
  RegisterPictureClass();
  // The layout was made for the classic 8-point dialog font.
  font_.reset(CreateFontW(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));

  RECT frame{0, 0, MulDiv(kFormWidth, dpi_, 1440), MulDiv(kFormHeight, dpi_, 1440)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  HWND hwnd = CreateWindowExW(0, kFormClass, kFormCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              Instance(), this);
  if (!hwnd) throw Mistake("the window could not be created");
  window_.reset(hwnd);
  menu_.emplace(hwnd, panel_, boxes_, files_);
  tips_.emplace(hwnd, font_.get(), dpi_);
  windows_.emplace(hwnd, controls_, dpi_, font_.get(),
                   [this](const ControlTable::Item& item) { Made(item); });
  keys_.emplace(
      hwnd, controls_, [this](int page) { ShowPage(page); }, [this] { return Page(); });
  Bind();
  windows_->CreatePage(-1);
}

Form1::~Form1() = default;

void Form1::Bind() {
  // The controls that edit settings, and their labels, show the model's
  // state of them.
  for (const auto& field : panel_.declared().fields()) {
    Control& control = controls_.ControlOf(*field);
    control.Bind(panel_.StateOf(*field));
    control.onChange = [this, &field = *field](int state) { Change(field, state); };
    if (field->label) controls_.Of(*field->label).Bind(panel_.StateOf(*field));
  }
  for (const ControlRow& row : panel_.declared().rows()) {
    if (!row.note) continue;
    static_cast<PushButton&>(controls_.Of(row)).onClick = [this, text = row.note] {
      boxes_.Show(hwnd(), text, L"Information", MB_OK | MB_ICONINFORMATION);
    };
  }
  static_cast<PushButton&>(controls_.Of(*panel_.declared().ok)).onClick = [this] {
    boxes_.Show(hwnd(), kRebootText, L"Reboot Needed", MB_OK);
    Unload();
  };
  panel_.SetView(this);
}

void Form1::Made(const ControlTable::Item& item) {
  if (const wchar_t* tip = TipOf(*item.row)) tips_->Add(item.control->hwnd(), tip);
}

void Form1::Load() {
  // The watch is armed before the start-up reads, so that no change made
  // from then on goes unseen.
  outside_.emplace(hwnd(), panel_, controls_);
  startUpFailures_ = panel_.StartUp();
}

void Form1::Show(int page) {
  ShowPage(page);
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
  keys_->FocusFirst();
  panel_.BeginJournal();
  if (!startUpFailures_.empty()) {
    boxes_.Show(hwnd(), StartUpNotice(panel_, startUpFailures_), kFormCaption,
                MB_OK | MB_ICONWARNING);
    startUpFailures_.clear();
  }
}

void Form1::Unload() { window_.reset(); }

void Form1::OnDestroyed() {
  window_.release();
  if (onUnload_) onUnload_();
}

HWND Form1::Tabs() const { return controls_.Of(*panel_.declared().tabs).hwnd(); }

int Form1::Page() const { return static_cast<int>(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0)); }

void Form1::ShowPage(int page) {
  SendMessageW(Tabs(), TCM_SETCURSEL, page, 0);
  windows_->CreatePage(page);
  for (const auto& item : controls_.items()) {
    if (item.row->page >= 0 && item.control->hwnd()) {
      ShowWindow(item.control->hwnd(), item.row->page == page ? SW_SHOWNA : SW_HIDE);
    }
  }
  keys_->PageShown();
}

void Form1::Change(const Field& field, int state) {
  if (const auto failure = panel_.Change(field, state)) menu_->Tell(*failure);
}

void Form1::Show(const Field& field, const ControlState&) {
  controls_.ControlOf(field).Refresh();
  if (field.label) controls_.Of(*field.label).Refresh();
}

bool Form1::PreTranslate(const MSG& msg) {
  HWND form = hwnd();
  if (!form || (msg.hwnd != form && !IsChild(form, msg.hwnd))) return false;
  tips_->Relay(msg);
  return keys_->PreTranslate(msg);
}

void Form1::OnControl(HWND control, WORD code) {
  const ControlTable::Item* item = controls_.ItemOf(control);
  if (!item) return;
  if (code == CBN_DROPDOWN) tips_->ListOpened();
  item->control->OnCommand(code);
  if (code == CBN_CLOSEUP) {
    tips_->ListClosed();
    if (outside_) outside_->Resume();
  }
}

LRESULT Form1::OnNotify(const NMHDR& notice) {
  // Switching pages runs no action of the program and writes nothing.
  if (notice.code == TCN_SELCHANGE) ShowPage(Page());
  if (notice.code == TTN_SHOW) {
    tips_->Place();
    return TRUE;
  }
  return 0;
}

LRESULT Form1::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam) return OnControl(reinterpret_cast<HWND>(lParam), HIWORD(wParam)), 0;
      break;
    case WM_HSCROLL:
      if (const auto* item = controls_.ItemOf(reinterpret_cast<HWND>(lParam))) {
        item->control->OnScroll(LOWORD(wParam), HIWORD(wParam));
        if (outside_) outside_->Resume();
        return 0;
      }
      break;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM:
      if (const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
          draw->CtlType == ODT_TAB) {
        windows_->DrawTab(*draw);
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) keys_->Deactivated();
      break;
    case WM_SETFOCUS:
      keys_->FormFocused();
      return 0;
    case kKeysChanged:
      if (outside_) outside_->Changed();
      return 0;
    case WM_INITMENUPOPUP:
      if (HIWORD(lParam)) menu_->Prepare(reinterpret_cast<HMENU>(wParam));
      break;
    case WM_SYSCOMMAND:
      if (menu_->Command(static_cast<UINT>(wParam))) return 0;
      break;
    case WM_CLOSE:
      // The close box, the system menu and Alt+F4: unload at once, no notice.
      Unload();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace calvane
