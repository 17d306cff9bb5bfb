#include "window/Form1.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "window/PaintedWindows.h"
#include "window/Pages.h"
#include "window/ResourceIds.h"

namespace calvane {
namespace {

constexpr wchar_t kClassName[] = L"CalvaneForm1";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed, no min/max box
constexpr int kFirstId = 100;
constexpr UINT kCreatePages = WM_APP;
// Commands added to the window menu.
constexpr UINT kUndoCommand = 0x100;
constexpr UINT kSaveCommand = 0x110;
constexpr UINT kLoadCommand = 0x120;
constexpr const wchar_t* kRebootText =
    L"Please reboot your computer so that the new settings can be used";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void RegisterFormClass(WNDPROC windowProc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(Instance(), kClassName, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = Instance();
  wc.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_PANEL));
  wc.hIconSm = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_PANEL), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// The letter after a single ampersand, lower-cased; 0 when there is none.
wchar_t AccessKeyOf(const wchar_t* caption) {
  for (const wchar_t* c = caption; c && *c; ++c) {
    if (*c != L'&') continue;
    if (c[1] != L'&') return static_cast<wchar_t>(towlower(c[1]));
    ++c;
  }
  return 0;
}

bool TakesFocus(Kind kind) {
  return kind != Kind::Label && kind != Kind::Frame && kind != Kind::Image;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

Form1::Form1(Store& store, MessageBoxes& boxes, std::function<void()> onUnload)
    : store_(store), boxes_(boxes), onUnload_(std::move(onUnload)), dpi_(ScreenDpi()) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterFormClass(&Form1::WindowProc);
  RegisterPictureClass();
  // The layout was made for the classic 8-point dialog font.
  font_.reset(CreateFontW(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));

  RECT frame{0, 0, MulDiv(kFormWidth, dpi_, 1440), MulDiv(kFormHeight, dpi_, 1440)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  HWND hwnd = CreateWindowExW(0, kClassName, kFormCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              Instance(), this);
  if (!hwnd) throw std::runtime_error("the window could not be created");
  window_.reset(hwnd);
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kUndoCommand, L"&Undo All Changes");
  AppendMenuW(menu, MF_STRING, kSaveCommand, L"&Save Settings As...");
  AppendMenuW(menu, MF_STRING, kLoadCommand, L"&Load Settings...");
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, Instance(), nullptr);
  SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, MulDiv(320, dpi_, 96));
  CreateControls();

  Get<PushButton>("cmdOK").onClick = [this] {
    boxes_.Show(this->hwnd(), kRebootText, L"Reboot Needed", MB_OK);
    Unload();
  };
  general_ = std::make_unique<GeneralPage>(*this);
  midi_ = std::make_unique<MidiPage>(*this);
  a3d_ = std::make_unique<A3DPage>(*this);
  ac97_ = std::make_unique<AC97Page>(*this);
  digital_ = std::make_unique<DigitalPage>(*this);
}

Form1::~Form1() = default;

void Form1::CreateControls() {
  for (const ControlRow& row : FormRows()) items_.push_back({&row, MakeControl(row)});
  CreatePage(-1);
  CreatePage(0);
}

void Form1::CreatePage(int page) {
  bool& created = pageCreated_[page + 1];
  if (created) return;
  created = true;
  // A new child window goes behind its siblings, so the rows, which run
  // front first, are made in their order; the tab control then goes back
  // behind them all.
  const bool visible = page < 0 || page == Page();
  for (Item& item : items_) {
    if (item.row->page == page) CreateWindowOf(item, visible);
  }
  SetWindowPos(Find("SSTab1").hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // A label stands in front of the control it names, as a screen reader
  // expects, and may overlap it by a few pixels: it gives that part up, so
  // that the control behind it shows whole.
  for (const Item& label : items_) {
    if (label.row->page != page || label.row->kind != Kind::Label) continue;
    const RECT r = PixelRect(*label.row);
    HRGN shape = CreateRectRgn(0, 0, r.right - r.left, r.bottom - r.top);
    bool clipped = false;
    for (const Item* behind = &label + 1; behind != items_.data() + items_.size(); ++behind) {
      const ControlRow& row = *behind->row;
      const RECT b = PixelRect(row);
      if (row.page != page || std::string_view(row.container) != label.row->container ||
          row.kind == Kind::Frame || !Overlap(r, b)) {
        continue;
      }
      HRGN cut = CreateRectRgn(b.left - r.left, b.top - r.top, b.right - r.left, b.bottom - r.top);
      CombineRgn(shape, shape, cut, RGN_DIFF);
      DeleteObject(cut);
      clipped = true;
    }
    // The window owns its region from here on.
    if (!clipped || !SetWindowRgn(label.control->hwnd(), shape, FALSE)) DeleteObject(shape);
  }
}

RECT Form1::PixelRect(const ControlRow& row) const {
  int left = row.left, top = row.top;
  for (const char* container = row.container; std::string_view(container) != "Form1";) {
    const ControlRow& outer = Row(container);
    left += outer.left;
    top += outer.top;
    container = outer.container;
  }
  auto px = [this](int twips) { return MulDiv(twips, dpi_, 1440); };
  return {px(left), px(top), px(left + row.width), px(top + row.height)};
}

std::unique_ptr<Control> Form1::MakeControl(const ControlRow& row) {
  const bool enabled = !row.disabled;
  switch (row.kind) {
    case Kind::PushButton:
      return std::make_unique<PushButton>(enabled);
    case Kind::CheckBox:
      return std::make_unique<CheckBox>(enabled);
    case Kind::Option:
      return std::make_unique<OptionButton>(Group(row.name), row.index);
    case Kind::Label:
      return std::make_unique<Label>(row.caption);
    case Kind::DropDown:
      return std::make_unique<DropDown>(ListItems(row.name), enabled);
    case Kind::ScrollBar:
      return std::make_unique<ScrollBar>(RangeOf(row.kind));
    case Kind::Slider:
      return std::make_unique<Slider>(RangeOf(row.kind), kSliderTickEvery);
    default:
      return std::make_unique<Control>(enabled);
  }
}

void Form1::CreateWindowOf(Item& item, bool visible) {
  const ControlRow& row = *item.row;
  // A frame is the parent window of what it holds.
  const bool framed =
      std::string_view(row.container) != "Form1" && Row(row.container).kind == Kind::Frame;
  HWND parent = framed ? Find(row.container).hwnd() : hwnd();
  const int id = kFirstId + static_cast<int>(&item - items_.data());
  const wchar_t* cls = WC_BUTTONW;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  switch (row.kind) {
    case Kind::Tabs:
      cls = WC_TABCONTROLW;
      style |= WS_TABSTOP | TCS_OWNERDRAWFIXED | TCS_FIXEDWIDTH;
      break;
    case Kind::PushButton:
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case Kind::CheckBox:
      style |= WS_TABSTOP | BS_3STATE;  // not automatic: the control layer keeps the state
      break;
    case Kind::Option:
      style |= WS_TABSTOP | BS_RADIOBUTTON;
      break;
    case Kind::Frame:
      style |= BS_GROUPBOX | WS_CLIPCHILDREN;
      exStyle = WS_EX_CONTROLPARENT;
      break;
    case Kind::Label:
      cls = WC_STATICW;
      style |= SS_LEFT | SS_NOTIFY;  // takes the pointer, for its tooltip
      break;
    case Kind::DropDown:
      cls = WC_COMBOBOXW;
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      break;
    case Kind::ScrollBar:
      cls = WC_SCROLLBARW;
      style |= WS_TABSTOP | SBS_HORZ;
      break;
    case Kind::Slider:
      cls = TRACKBAR_CLASSW;
      style |= WS_TABSTOP | TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS;
      break;
    case Kind::ListView:
      cls = WC_LISTVIEWW;
      style |= WS_TABSTOP | LVS_ICON;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::Picture:
    case Kind::Image:
      cls = kPictureClass;
      if (row.tab >= 0) style |= WS_TABSTOP;
      break;
  }
  if (row.disabled) style |= WS_DISABLED;
  if (visible) style |= WS_VISIBLE;

  RECT r = PixelRect(row);
  if (framed) {
    const RECT frame = PixelRect(Row(row.container));
    OffsetRect(&r, -frame.left, -frame.top);
  }
  int height = r.bottom - r.top;
  if (row.kind == Kind::DropDown) height *= static_cast<int>(ListItems(row.name).size()) + 1;
  HWND hwnd = CreateWindowExW(
      exStyle, cls, row.caption ? row.caption : L"", style, r.left, r.top, r.right - r.left, height,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

  switch (row.kind) {
    case Kind::Tabs: {
      for (const wchar_t* caption : kPageCaptions) {
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<wchar_t*>(caption);
        SendMessageW(hwnd, TCM_INSERTITEMW, SendMessageW(hwnd, TCM_GETITEMCOUNT, 0, 0),
                     reinterpret_cast<LPARAM>(&tab));
      }
      // Five tabs of equal width in one row, tall enough for a caption that
      // wraps onto a second line.
      HDC dc = GetDC(hwnd);
      HGDIOBJ old = SelectObject(dc, font_.get());
      TEXTMETRICW tm{};
      GetTextMetricsW(dc, &tm);
      SelectObject(dc, old);
      ReleaseDC(hwnd, dc);
      const int width = (r.right - r.left - 4) / kPageCount;
      tabWidth_ = width;
      // Drawn the classic way, so that its pages have the dialog colour that
      // the labels and boxes on them are drawn with.
      SetWindowTheme(hwnd, L" ", L" ");
      SendMessageW(hwnd, TCM_SETITEMSIZE, 0, MAKELPARAM(width, 2 * tm.tmHeight + 4));
      break;
    }
    case Kind::Label: {
      // The font's widths do not scale exactly with the display, so a long
      // caption may wrap onto one more line than it does at 96 dpi (the
      // A3D page's text at 120 dpi): the label then gets the height it needs.
      HDC dc = GetDC(hwnd);
      HGDIOBJ old = SelectObject(dc, font_.get());
      RECT text{0, 0, r.right - r.left, 0};
      DrawTextW(dc, row.caption, -1, &text, DT_CALCRECT | DT_WORDBREAK);
      SelectObject(dc, old);
      ReleaseDC(hwnd, dc);
      if (text.bottom > height) {
        SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, text.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      break;
    }
    case Kind::Frame:
      MakeFrame(hwnd);
      break;
    case Kind::Picture:
    case Kind::Image: {
      // One picture pixel to one screen pixel at 96 dpi, where the box is
      // exactly the picture's size; scaled to fill the box on larger displays.
      UniqueBitmap picture(static_cast<HBITMAP>(LoadImageW(
          Instance(), MAKEINTRESOURCEW(row.picture), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
      pictures_.push_back(FitBitmap(std::move(picture), r.right - r.left, r.bottom - r.top));
      SetPicture(hwnd, pictures_.back().get());
      break;
    }
    default:
      break;
  }
  item.control->Attach(hwnd);
  AddTips(item);
}

void Form1::AddTips(const Item& item) {
  const wchar_t* tip = TipOf(item.row->name);
  if (!tip) return;
  HWND control = item.control->hwnd();
  HWND parent = GetParent(control);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = parent;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(tip);
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // A disabled control takes no pointer: its frame, which does, shows its tip.
  if (Row(item.row->container).kind == Kind::Frame) {
    tool.uFlags = TTF_SUBCLASS;
    tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    GetWindowRect(control, &tool.rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&tool.rect), 2);
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Form1::PlaceTip() {
  // Just below the control it describes, or just above it where the screen
  // ends, never over it.
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  if (!SendMessageW(tips_, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return;
  RECT control = tool.rect;
  if (tool.uFlags & TTF_IDISHWND) {
    GetWindowRect(reinterpret_cast<HWND>(tool.uId), &control);
  } else {
    MapWindowPoints(tool.hwnd, nullptr, reinterpret_cast<POINT*>(&control), 2);
  }
  RECT tip;
  GetWindowRect(tips_, &tip);
  const int height = tip.bottom - tip.top, gap = MulDiv(2, dpi_, 96);
  int top = control.bottom + gap;
  if (top + height > GetSystemMetrics(SM_CYSCREEN)) top = control.top - gap - height;
  SetWindowPos(tips_, nullptr, control.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

OptionGroup& Form1::Group(std::string_view name) {
  for (auto& [groupName, group] : groups_) {
    if (groupName == name) return *group;
  }
  groups_.emplace_back(std::string(name), std::make_unique<OptionGroup>());
  return *groups_.back().second;
}

Control& Form1::Find(std::string_view name) const {
  for (const Item& item : items_) {
    if (name == item.row->name) return *item.control;
  }
  throw std::logic_error("no control named " + std::string(name));
}

const Form1::Item* Form1::ItemOf(HWND hwnd) const {
  // A control's own children (the list of a drop-down) count as the control.
  for (; hwnd && hwnd != window_.get(); hwnd = GetParent(hwnd)) {
    for (const Item& item : items_) {
      if (item.control->hwnd() == hwnd) return &item;
    }
  }
  return nullptr;
}

void Form1::Load() {
  loading_ = true;
  snapshot_ = ReadSnapshot(
      store_, [this](Setting setting, const SettingValue& value) { Write(setting, value); });
  // The fill, in its fixed order; each assignment that changes a control
  // runs the control's change action at once.
  digital_->FillAnalogEQ();    // 1
  ac97_->FillLevels();         // 2
  midi_->FillAmounts();        // 3
  ac97_->FillLevelLabels();    // 4
  digital_->FillRateLabel();   // 5
  midi_->FillEffectsSwitch();  // 6
  ac97_->Fill3DSwitch();
  general_->FillSplashSwitches();
  ac97_->FillOutputSwitches();
  digital_->FillRateLabel();      // 7
  digital_->FillSpdifSwitches();  // 8
  midi_->FillVoiceMode();         // 9
  a3d_->FillType();
  a3d_->FillQuadLabel();     // 10
  digital_->FillEnabling();  // 11
  loading_ = false;
}

void Form1::Show(int page) {
  ShowPage(page);
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
  MoveFocus(nullptr, false);  // the first control in tab order that takes the focus: OK
  // The other pages get their windows once this one has been drawn.
  PostMessageW(hwnd(), kCreatePages, 0, 0);
  ReportFailures();
  Keep();
}

void Form1::Keep() {
  shown_.clear();
  for (const Item& item : items_) shown_.push_back(item.control->Keep());
  shownGroups_.clear();
  for (const auto& [name, group] : groups_) shownGroups_.push_back(group->Selected());
  shownSnapshot_ = snapshot_;
  original_ = {};
}

bool Form1::Changed() const {
  return std::any_of(original_.begin(), original_.end(),
                     [](const auto& o) { return o.has_value(); });
}

void Form1::UndoAll() {
  RunAction([this] {
    for (const SettingInfo& info : kSettings) {
      const auto& original = original_[static_cast<std::size_t>(info.setting)];
      // A value that did not exist then is left: the panel deletes nothing.
      if (!original || !*original) continue;
      const LONG status = WriteStored(store_, info.setting, **original);
      if (status != ERROR_SUCCESS) failures_.emplace_back(info.setting, status);
    }
    for (std::size_t i = 0; i < items_.size(); ++i) items_[i].control->PutBack(shown_[i]);
    for (std::size_t i = 0; i < groups_.size(); ++i) groups_[i].second->PutBack(shownGroups_[i]);
    snapshot_ = shownSnapshot_;
    original_ = {};
  });
}

Profile Form1::HeldProfile() const {
  Profile profile;
  for (const auto& binding : bindings_) {
    const auto numbers = binding->held();
    for (std::size_t i = 0; numbers && i < binding->settings.size(); ++i) {
      profile.push_back({binding->settings[i], (*numbers)[i]});
    }
  }
  return profile;
}

std::variant<std::vector<Form1::Choice>, ProfileFault> Form1::Choose(const Profile& profile) const {
  std::vector<Choice> choices;
  for (const auto& binding : bindings_) {
    std::vector<std::uint32_t> numbers;
    int first = 0, found = 0;  // the line of the first of the binding's values, and how many
    for (Setting setting : binding->settings) {
      for (const ProfileValue& value : profile) {
        if (value.setting != setting) continue;
        numbers.push_back(value.number);
        first = first ? std::min(first, value.line) : value.line;
        ++found;
      }
    }
    if (!found) continue;
    const std::wstring shown = L"\"" + ShownName(binding->control) + L"\"";
    if (found != static_cast<int>(binding->settings.size())) {
      return ProfileFault{first, shown +
                                     L" stores several values together; give all of them, as "
                                     L"one of its items stores them"};
    }
    const auto state = binding->state(numbers);
    if (!state) {
      return ProfileFault{first,
                          binding->settings.size() > 1
                              ? shown + L" has no item that stores these numbers"
                              : shown + L" cannot show the number " + std::to_wstring(numbers[0])};
    }
    choices.push_back({binding.get(), numbers, *state});
  }
  return choices;
}

namespace {

std::wstring ErrorText(DWORD error) {
  wchar_t* text = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = text ? text : L"Windows reported error " + std::to_wstring(error) + L".";
  LocalFree(text);
  while (!message.empty() &&
         (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.')) {
    message.pop_back();
  }
  return message;
}

}  // namespace

bool Form1::SaveSettings(const std::wstring& path) {
  const DWORD error = WriteWholeFile(path, FormatProfile(HeldProfile()));
  if (error) {
    boxes_.Show(hwnd(),
                L"The settings could not be saved in " + path + L".\r\n\r\n" + ErrorText(error),
                L"Save Settings", MB_OK | MB_ICONWARNING);
  }
  return !error;
}

bool Form1::LoadSettings(const std::wstring& path) {
  std::string file;
  std::variant<Profile, ProfileFault> read = ProfileFault{0, L""};
  if (const DWORD error = ReadWholeFile(path, file, kProfileLimit)) {
    read = ProfileFault{0, ErrorText(error)};
  } else {
    read = ParseProfile(file);
  }
  std::variant<std::vector<Choice>, ProfileFault> chosen = ProfileFault{0, L""};
  if (const auto* profile = std::get_if<Profile>(&read)) {
    chosen = Choose(*profile);
  } else {
    chosen = std::get<ProfileFault>(read);
  }
  if (const auto* fault = std::get_if<ProfileFault>(&chosen)) {
    boxes_.Show(hwnd(),
                L"No setting was loaded from " + path + L".\r\n\r\n" +
                    (fault->line ? L"Line " + std::to_wstring(fault->line) + L": " + fault->fault
                                 : static_cast<wchar_t>(towupper(fault->fault[0])) +
                                       fault->fault.substr(1)) +
                    L".",
                L"Load Settings", MB_OK | MB_ICONWARNING);
    return false;
  }
  RunAction([&] {
    for (const Choice& choice : std::get<std::vector<Choice>>(chosen))
      choice.binding->set(choice.state);
  });
  return true;
}

void Form1::Unload() { window_.reset(); }

int Form1::Page() const {
  return static_cast<int>(SendMessageW(Find("SSTab1").hwnd(), TCM_GETCURSEL, 0, 0));
}

void Form1::ShowPage(int page) {
  HWND tabs = Find("SSTab1").hwnd();
  SendMessageW(tabs, TCM_SETCURSEL, page, 0);
  CreatePage(page);
  for (const Item& item : items_) {
    if (item.row->page >= 0 && item.control->hwnd()) {
      ShowWindow(item.control->hwnd(), item.row->page == page ? SW_SHOWNA : SW_HIDE);
    }
  }
  // Focus left on a control of the page just hidden goes to the tabs.
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd(), focus) && !IsWindowVisible(focus)) SetFocus(tabs);
}

void Form1::Write(Setting setting, const SettingValue& value) {
  // What a value held when the window was shown, for the undo.
  auto& original = original_[static_cast<std::size_t>(setting)];
  if (!shown_.empty() && !original) original = ReadStored(store_, setting);
  const LONG status = WriteSetting(store_, setting, value);
  if (status != ERROR_SUCCESS) failures_.emplace_back(setting, status);
  if (actionDepth_ == 0 && !loading_) ReportFailures();
}

void Form1::Inform(const std::wstring& text) {
  boxes_.Show(hwnd(), text, L"Information", MB_OK | MB_ICONINFORMATION);
}

template <class Action>
void Form1::RunAction(Action action) {
  ++actionDepth_;
  action();
  --actionDepth_;
  if (actionDepth_ == 0 && !loading_) ReportFailures();
}

void Form1::Bind(Binding binding) {
  bindings_.push_back(std::make_unique<Binding>(std::move(binding)));
  for (Setting setting : bindings_.back()->settings) {
    bindingOf_[static_cast<std::size_t>(setting)] = bindings_.back().get();
  }
}

std::wstring Form1::ShownName(std::string_view control) const {
  // A check box's own caption; for a control without one, the label or
  // frame that names it.
  const ControlRow& row = Row(control);
  std::wstring_view caption = row.kind == Kind::CheckBox ? row.caption : L"";
  for (const ControlRow& other : FormRows()) {
    if (other.introduces && control == other.introduces) caption = other.caption;
  }
  std::wstring name;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    // "&" marks the access key that follows; "&&" stands for "&".
    if (caption[i] == L'&' && ++i == caption.size()) break;
    name += caption[i];
  }
  while (!name.empty() && (name.back() == L':' || name.back() == L'.')) name.pop_back();
  return name;
}

void Form1::ReportFailures() {
  if (failures_.empty()) return;
  // Each control once, in the order of its first failure, with the values
  // it could not save.
  std::vector<std::pair<std::string_view, std::vector<Setting>>> controls;
  bool denied = false, missing = false;
  for (const auto& [setting, status] : failures_) {
    const std::string_view control = bindingOf_[static_cast<std::size_t>(setting)]->control;
    auto entry = std::find_if(controls.begin(), controls.end(),
                              [&](const auto& c) { return c.first == control; });
    if (entry == controls.end()) entry = controls.insert(controls.end(), {control, {}});
    if (std::find(entry->second.begin(), entry->second.end(), setting) == entry->second.end()) {
      entry->second.push_back(setting);
    }
    denied |= status == ERROR_ACCESS_DENIED;
    missing |= status == ERROR_FILE_NOT_FOUND;
  }
  std::wstring text = controls.size() > 1 ? L"These settings could not be saved:\r\n"
                                          : L"This setting could not be saved:\r\n";
  for (const auto& [control, settings] : controls) {
    text += L"    " + ShownName(control) + L" (";
    for (Setting setting : settings) {
      const std::string_view value = Info(setting).name;
      text +=
          std::wstring(value.begin(), value.end()) + (setting == settings.back() ? L")" : L", ");
    }
    text += L"\r\n";
  }
  text += L"\r\n";
  if (missing)
    text +=
        L"The sound driver's settings are missing from the registry; the driver may not be "
        L"installed.\r\n";
  if (denied)
    text += L"You may not have permission to change them; try again as an administrator.\r\n";
  if (!missing && !denied)
    text += L"Windows reported error " + std::to_wstring(failures_.front().second) + L".\r\n";
  failures_.clear();
  boxes_.Show(hwnd(), text, kFormCaption, MB_OK | MB_ICONWARNING);
}

bool Form1::Focusable(const Item& item) const {
  HWND hwnd = item.control->hwnd();
  return TakesFocus(item.row->kind) && item.row->tab >= 0 && IsWindowVisible(hwnd) &&
         IsWindowEnabled(hwnd);
}

void Form1::MoveFocus(HWND from, bool backward) {
  std::vector<const Item*> order;
  for (const Item& item : items_) {
    if (item.row->tab >= 0) order.push_back(&item);
  }
  std::sort(order.begin(), order.end(),
            [](const Item* a, const Item* b) { return a->row->tab < b->row->tab; });
  if (backward) std::reverse(order.begin(), order.end());
  const Item* current = from ? ItemOf(from) : nullptr;
  auto at = std::find(order.begin(), order.end(), current);
  const std::size_t start = at == order.end() ? order.size() - 1 : at - order.begin();
  for (std::size_t step = 1; step <= order.size(); ++step) {
    const Item* next = order[(start + step) % order.size()];
    if (Focusable(*next)) return FocusByKey(next->control->hwnd());
  }
}

void Form1::FocusByKey(HWND control) {
  // The focus moved by keyboard is marked, whatever the mouse did before.
  SendMessageW(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(control);
}

void Form1::MoveInGroup(const Item& option, int step) {
  std::vector<const Item*> group;
  for (const Item& item : items_) {
    if (item.row->kind == Kind::Option && item.row->name == std::string_view(option.row->name)) {
      group.push_back(&item);
    }
  }
  const int count = static_cast<int>(group.size());
  const int index = (option.row->index + step + count) % count;
  for (const Item* item : group) {
    if (item->row->index != index) continue;
    FocusByKey(item->control->hwnd());
    // A click of the group, as with the mouse.
    SendMessageW(item->control->hwnd(), BM_CLICK, 0, 0);
  }
}

bool Form1::AccessKey(wchar_t key) {
  key = static_cast<wchar_t>(towlower(key));
  for (const Item& item : items_) {
    const ControlRow& row = *item.row;
    HWND hwnd = item.control->hwnd();
    if (AccessKeyOf(row.caption) != key || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) {
      continue;
    }
    if (row.introduces) {
      // A label or frame leads to the control it names.
      const Control& target = Find(row.introduces);
      if (IsWindowVisible(target.hwnd()) && IsWindowEnabled(target.hwnd())) {
        FocusByKey(target.hwnd());
      }
    } else {
      FocusByKey(hwnd);
      SendMessageW(hwnd, BM_CLICK, 0, 0);
    }
    return true;
  }
  return false;
}

bool Form1::PreTranslate(const MSG& msg) {
  HWND form = hwnd();
  if (!form || (msg.hwnd != form && !IsChild(form, msg.hwnd))) return false;
  const Item* focused = ItemOf(GetFocus());
  const Kind kind = focused ? focused->row->kind : Kind::Label;
  const bool button = kind == Kind::PushButton || kind == Kind::CheckBox || kind == Kind::Option;
  switch (msg.message) {
    case WM_KEYDOWN:
      if (msg.wParam == VK_TAB) {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        if (GetKeyState(VK_CONTROL) < 0) {
          ShowPage((Page() + (shift ? kPageCount - 1 : 1)) % kPageCount);
          // As after a click on a tab: the focus on the row of tabs.
          FocusByKey(Find("SSTab1").hwnd());
        } else {
          MoveFocus(GetFocus(), shift);
        }
        return true;
      }
      if (kind == Kind::Option && msg.wParam >= VK_LEFT && msg.wParam <= VK_DOWN) {
        // The arrows choose within an option group, round and round.
        MoveInGroup(*focused, msg.wParam == VK_LEFT || msg.wParam == VK_UP ? -1 : 1);
        return true;
      }
      if (msg.wParam == VK_RETURN && kind == Kind::PushButton) {
        // Enter presses the focused push button and nothing else: the window
        // has no default button.
        SendMessageW(focused->control->hwnd(), BM_CLICK, 0, 0);
        return true;
      }
      return false;
    case WM_SYSCHAR:
      return AccessKey(static_cast<wchar_t>(msg.wParam));
    case WM_CHAR:
      // Like a dialog: a plain letter works as an access key while a button
      // has the focus (lists and bars use letters themselves).
      return button && msg.wParam > L' ' && AccessKey(static_cast<wchar_t>(msg.wParam));
    default:
      return false;
  }
}

void Form1::DrawTab(const DRAWITEMSTRUCT& draw) const {
  const wchar_t* caption = kPageCaptions[draw.itemID % kPageCount];
  HGDIOBJ old = SelectObject(draw.hDC, font_.get());
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, GetSysColor(COLOR_BTNTEXT));
  // Wrapped to the width of an unselected tab, so that a caption keeps its
  // lines when its tab is selected and drawn wider.
  RECT text = draw.rcItem;
  const int wrap = tabWidth_ - 8;
  text.left += (text.right - text.left - wrap) / 2;
  text.right = text.left + wrap;
  RECT measured = text;
  DrawTextW(draw.hDC, caption, -1, &measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
  const int height = measured.bottom - measured.top;
  // The tab's focus rectangle leaves a two-line caption hardly a pixel above
  // and below; a caption's cells have more room above their ink than below
  // it, so the caption sits a little above the middle to keep clear of both.
  text.top += std::max(0L, (text.bottom - text.top - height) / 2 - MulDiv(2, dpi_, 96));
  DrawTextW(draw.hDC, caption, -1, &text, DT_CENTER | DT_WORDBREAK);
  SelectObject(draw.hDC, old);
}

LRESULT CALLBACK Form1::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    form->window_.release();
    if (form->onUnload_) form->onUnload_();
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return form->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT Form1::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (const Item* item = ItemOf(reinterpret_cast<HWND>(lParam))) {
        RunAction([&] { item->control->OnCommand(HIWORD(wParam)); });
        return 0;
      }
      break;
    case WM_HSCROLL:
      if (const Item* item = ItemOf(reinterpret_cast<HWND>(lParam))) {
        RunAction([&] { item->control->OnScroll(LOWORD(wParam), HIWORD(wParam)); });
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
      // Switching pages runs no action of the program and writes nothing.
      if (notice->code == TCN_SELCHANGE) ShowPage(Page());
      if (notice->code == TTN_SHOW) {
        PlaceTip();
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType == ODT_TAB) {
        DrawTab(*draw);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_ACTIVATE:
      // Keep the focused control across a message box or another program.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      if (lastFocus_ && IsChild(hwnd, lastFocus_) && IsWindowVisible(lastFocus_) &&
          IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
      }
      return 0;
    case kCreatePages:
      for (int page = 1; page < kPageCount; ++page) CreatePage(page);
      return 0;
    case WM_INITMENUPOPUP:
      if (HIWORD(lParam)) {  // the window menu
        EnableMenuItem(reinterpret_cast<HMENU>(wParam), kUndoCommand,
                       MF_BYCOMMAND | (Changed() ? MF_ENABLED : MF_GRAYED));
      }
      break;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case kUndoCommand:
          if (Changed()) UndoAll();
          return 0;
        case kSaveCommand:
          if (const std::wstring path = boxes_.ChooseFile(hwnd, true); !path.empty()) {
            SaveSettings(path);
          }
          return 0;
        case kLoadCommand:
          if (const std::wstring path = boxes_.ChooseFile(hwnd, false); !path.empty()) {
            LoadSettings(path);
          }
          return 0;
        default:
          break;
      }
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
