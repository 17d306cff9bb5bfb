#include "window/DialogKeys.h"

#include <algorithm>

namespace calvane {
namespace {

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

}  // namespace

DialogKeys::DialogKeys(HWND form, ControlTable& table, std::function<void(int)> showPage,
                       std::function<int()> page)
    : form_(form), table_(table), showPage_(std::move(showPage)), page_(std::move(page)) {}

bool DialogKeys::Focusable(const ControlTable::Item& item) const {
  HWND hwnd = item.control->hwnd();
  return TakesFocus(item.row->kind) && item.row->tab >= 0 && IsWindowVisible(hwnd) &&
         IsWindowEnabled(hwnd);
}

void DialogKeys::MoveFocus(HWND from, bool backward) {
  std::vector<const ControlTable::Item*> order;
  for (const auto& item : table_.items()) {
    if (item.row->tab >= 0) order.push_back(&item);
  }
  std::sort(order.begin(), order.end(),
            [](const auto* a, const auto* b) { return a->row->tab < b->row->tab; });
  if (backward) std::reverse(order.begin(), order.end());
  const ControlTable::Item* current = from ? table_.ItemOf(from) : nullptr;
  auto at = std::find(order.begin(), order.end(), current);
  const std::size_t start = at == order.end() ? order.size() - 1 : at - order.begin();
  for (std::size_t step = 1; step <= order.size(); ++step) {
    const auto* next = order[(start + step) % order.size()];
    if (Focusable(*next)) return FocusByKey(next->control->hwnd());
  }
}

void DialogKeys::FocusByKey(HWND control) {
  // The focus moved by keyboard is marked, whatever the mouse did before.
  SendMessageW(form_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(control);
}

void DialogKeys::MoveInGroup(const ControlTable::Item& option, int step) {
  const auto& button = static_cast<const OptionButton&>(*option.control);
  const int count = button.group().Count();
  HWND next = button.group().Button((button.index() + step + count) % count).hwnd();
  FocusByKey(next);
  // A click of the group, as with the mouse.
  SendMessageW(next, BM_CLICK, 0, 0);
}

bool DialogKeys::AccessKey(wchar_t key) {
  key = static_cast<wchar_t>(towlower(key));
  for (const auto& item : table_.items()) {
    const ControlRow& row = *item.row;
    HWND hwnd = item.control->hwnd();
    if (AccessKeyOf(row.caption) != key || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) {
      continue;
    }
    if (row.names) {
      // A label or frame leads to the control it names.
      const Control& target = table_.Of(*row.names);
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

bool DialogKeys::PreTranslate(const MSG& msg) {
  const ControlTable::Item* focused = table_.ItemOf(GetFocus());
  const Kind kind = focused ? focused->row->kind : Kind::Label;
  const bool button = kind == Kind::PushButton || kind == Kind::CheckBox || kind == Kind::Option;
  switch (msg.message) {
    case WM_KEYDOWN:
      if (msg.wParam == VK_TAB) {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        if (GetKeyState(VK_CONTROL) < 0) {
          showPage_((page_() + (shift ? kPageCount - 1 : 1)) % kPageCount);
          // As after a click on a tab: the focus on the row of tabs.
          FocusByKey(table_.Of(*table_.declared().tabs).hwnd());
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

void DialogKeys::PageShown() {
  HWND focus = GetFocus();
  if (focus && IsChild(form_, focus) && !IsWindowVisible(focus)) {
    SetFocus(table_.Of(*table_.declared().tabs).hwnd());
  }
}

void DialogKeys::Deactivated() {
  HWND focus = GetFocus();
  if (focus && IsChild(form_, focus)) lastFocus_ = focus;
}

void DialogKeys::FormFocused() {
  if (lastFocus_ && IsChild(form_, lastFocus_) && IsWindowVisible(lastFocus_) &&
      IsWindowEnabled(lastFocus_)) {
    SetFocus(lastFocus_);
  }
}

}  // namespace calvane
