#include "window/Controls.h"

#include <commctrl.h>

#include <algorithm>

namespace calvane {

void Control::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  EnableWindow(hwnd_, enabled_);
  ShowState();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

void Label::SetCaption(const std::wstring& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  ShowState();
}

void Label::ShowState() {
  if (hwnd_) SetWindowTextW(hwnd_, caption_.c_str());
}

void PushButton::OnCommand(WORD code) {
  if (code == BN_CLICKED && onClick) onClick();
}

void CheckBox::Show(int state) {
  shown_ = state;
  ShowState();
}

void CheckBox::ShowState() {
  if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, shown_, 0);
}

void CheckBox::OnCommand(WORD code) {
  // The box is a non-automatic three-state button: a click only reports, and
  // the state it shows is the model's to set.
  if (code == BN_CLICKED) Ask(shown_ == 1 ? 0 : 1);
}

void OptionGroup::Add(int index, const Control& button) {
  if (index >= static_cast<int>(buttons_.size())) buttons_.resize(index + 1);
  buttons_[index] = &button;
}

void OptionGroup::Show(int index) {
  shown_ = index;
  ShowState();
}

void OptionGroup::Select(int index) {
  if (index != shown_) Ask(index);
}

void OptionGroup::ShowState() {
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    if (HWND button = buttons_[i]->hwnd()) {
      SendMessageW(button, BM_SETCHECK, i == shown_ ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
}

void OptionButton::OnCommand(WORD code) {
  if (code == BN_CLICKED) group_.Select(index_);
}

void OptionButton::ShowState() {
  SendMessageW(hwnd_, BM_SETCHECK, group_.Shown() == index_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DropDown::Show(int index) {
  shown_ = index;
  if (hwnd_) SendMessageW(hwnd_, CB_SETCURSEL, index, 0);
}

void DropDown::ShowState() {
  for (const auto& item : items_) {
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageW(hwnd_, CB_SETCURSEL, shown_, 0);
}

bool DropDown::Open() const {
  return hwnd_ && SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

void DropDown::OnCommand(WORD code) {
  // While the list is open, the item under the pointer or the arrow keys is
  // no choice yet; a list closed without one (Esc, a click elsewhere) shows
  // again the item it showed before it was opened.
  if (code == CBN_SELENDCANCEL) {
    SendMessageW(hwnd_, CB_SETCURSEL, shown_, 0);
    return;
  }
  if (code != CBN_SELENDOK && (code != CBN_SELCHANGE || Open())) return;
  const int index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
  if (index == shown_ || index < 0) return;
  Ask(index);
  // A choice the model did not take leaves the item it keeps.
  if (shown_ != index) SendMessageW(hwnd_, CB_SETCURSEL, shown_, 0);
}

void Bar::Show(int position) {
  shown_ = position;
  if (hwnd_) MoveThumb(position);
}

void Bar::Settle(int position) {
  dragged_ = false;
  position = std::clamp(position, min_, max_);
  // The thumb always moves: after a drag it must settle where it was let go,
  // or go back where the model keeps it.
  if (hwnd_) MoveThumb(position);
  if (position != shown_) Ask(position);
  if (hwnd_ && shown_ != position) MoveThumb(shown_);
}

void ScrollBar::ShowState() {
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, min_, max_, 0, shown_, 0};
  SetScrollInfo(hwnd_, SB_CTL, &info, FALSE);
}

void ScrollBar::MoveThumb(int position) { SetScrollPos(hwnd_, SB_CTL, position, TRUE); }

void ScrollBar::OnScroll(WORD request, WORD thumb) {
  switch (request) {
    case SB_LINELEFT:
      return Settle(shown_ - small_);
    case SB_LINERIGHT:
      return Settle(shown_ + small_);
    case SB_PAGELEFT:
      return Settle(shown_ - large_);
    case SB_PAGERIGHT:
      return Settle(shown_ + large_);
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
  SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, min_);
  SendMessageW(hwnd_, TBM_SETRANGEMAX, FALSE, max_);
  SendMessageW(hwnd_, TBM_SETLINESIZE, 0, small_);
  SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, large_);
  SendMessageW(hwnd_, TBM_SETTICFREQ, tickEvery_, 0);
  MoveThumb(shown_);
}

void Slider::MoveThumb(int position) { SendMessageW(hwnd_, TBM_SETPOS, TRUE, position); }

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
