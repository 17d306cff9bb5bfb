#include "window/Controls.h"

#include <commctrl.h>

#include <algorithm>

namespace calvane {

void Control::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  Refresh();
}

void Control::Refresh() {
  if (hwnd_) EnableWindow(hwnd_, !disabled_ && (!state_ || state_->enabled));
  ShowState();
}

void Label::ShowState() {
  if (!hwnd_) return;
  const std::wstring& caption = Bound() && Bound()->caption ? *Bound()->caption : caption_;
  std::wstring shown(GetWindowTextLengthW(hwnd_) + 1, L'\0');
  shown.resize(GetWindowTextW(hwnd_, shown.data(), static_cast<int>(shown.size())));
  if (caption != shown) SetWindowTextW(hwnd_, caption.c_str());
}

void PushButton::OnCommand(WORD code) {
  if (code == BN_CLICKED && onClick) onClick();
}

void CheckBox::ShowState() {
  if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, State(), 0);
}

void CheckBox::OnCommand(WORD code) {
  // The box is a non-automatic three-state button: a click only reports, and
  // the state it shows is the model's to set.
  if (code == BN_CLICKED) Ask(State() == 1 ? 0 : 1);
}

void OptionGroup::Add(int index, const Control& button) {
  if (index >= static_cast<int>(buttons_.size())) buttons_.resize(index + 1);
  buttons_[index] = &button;
}

void OptionGroup::Select(int index) {
  if (index != State()) Ask(index);
}

void OptionGroup::ShowState() {
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    if (HWND button = buttons_[i]->hwnd()) {
      SendMessageW(button, BM_SETCHECK, i == State() ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
}

void OptionButton::OnCommand(WORD code) {
  if (code == BN_CLICKED) group_.Select(index_);
}

void OptionButton::ShowState() {
  if (!hwnd_) return;
  SendMessageW(hwnd_, BM_SETCHECK, group_.Chosen() == index_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DropDown::ShowState() {
  if (!hwnd_) return;
  if (!filled_) {
    for (const auto& item : items_) {
      SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    filled_ = true;
  }
  if (SendMessageW(hwnd_, CB_GETCURSEL, 0, 0) != State()) {
    SendMessageW(hwnd_, CB_SETCURSEL, State(), 0);
  }
}

bool DropDown::Open() const {
  return hwnd_ && SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

void DropDown::OnCommand(WORD code) {
  // While the list is open, the item under the pointer or the arrow keys is
  // no choice yet; a list closed without one (Esc, a click elsewhere) shows
  // again the item the model keeps.
  if (code == CBN_SELENDCANCEL) return ShowState();
  if (code != CBN_SELENDOK && (code != CBN_SELCHANGE || Open())) return;
  const int index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
  if (index != State() && index >= 0) Ask(index);
}

void Bar::Settle(int position) {
  dragged_ = false;
  position = std::clamp(position, min_, max_);
  // The thumb always settles where the model keeps it: where it was let go,
  // or back where it was when the model did not take the change.
  if (position != State()) return Ask(position);
  ShowState();
}

void ScrollBar::ShowState() {
  if (!hwnd_) return;
  if (!ranged_) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, min_, max_, 0, State(), 0};
    SetScrollInfo(hwnd_, SB_CTL, &info, FALSE);
    ranged_ = true;
  }
  MoveThumb(State());
}

void ScrollBar::MoveThumb(int position) { SetScrollPos(hwnd_, SB_CTL, position, TRUE); }

void ScrollBar::OnScroll(WORD request, WORD thumb) {
  switch (request) {
    case SB_LINELEFT:
      return Settle(State() - small_);
    case SB_LINERIGHT:
      return Settle(State() + small_);
    case SB_PAGELEFT:
      return Settle(State() - large_);
    case SB_PAGERIGHT:
      return Settle(State() + large_);
    case SB_LEFT:
      return Settle(min_);
    case SB_RIGHT:
      return Settle(max_);
    case SB_THUMBPOSITION:  // the thumb let go
      return Settle(thumb);
    case SB_THUMBTRACK:  // the scroll bar draws the dragged thumb itself
      dragged_ = true;
      return;
    default:
      return;
  }
}

void Slider::ShowState() {
  if (!hwnd_) return;
  if (!ranged_) {
    SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(hwnd_, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(hwnd_, TBM_SETLINESIZE, 0, small_);
    SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, large_);
    SendMessageW(hwnd_, TBM_SETTICFREQ, tickEvery_, 0);
    ranged_ = true;
  }
  MoveThumb(State());
}

void Slider::MoveThumb(int position) {
  if (SendMessageW(hwnd_, TBM_GETPOS, 0, 0) != position) {
    SendMessageW(hwnd_, TBM_SETPOS, TRUE, position);
  }
}

void Slider::OnScroll(WORD request, WORD) {
  // The trackbar moves its own thumb; every request but the drag itself
  // (TB_THUMBTRACK) leaves it at a settled position.
  if (request == TB_THUMBTRACK) {
    dragged_ = true;
    return;
  }
  Settle(static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0)));
}

}  // namespace calvane
