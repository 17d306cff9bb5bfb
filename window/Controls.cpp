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
  enabled_ = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

void Label::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  ShowState();
}

void Label::ShowState() {
  if (hwnd_) SetWindowTextW(hwnd_, caption_.c_str());
}

void PushButton::OnCommand(WORD code) {
  if (code == BN_CLICKED && onClick) onClick();
}

void CheckBox::SetState(int state) {
  if (state == state_) return;
  state_ = state;
  ShowState();
  if (onClick) onClick();
}

void CheckBox::ShowState() {
  if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, state_, 0);
}

void CheckBox::PutBack(const Kept& kept) {
  Control::PutBack(kept);
  state_ = kept.state;
  ShowState();
}

void CheckBox::OnCommand(WORD code) {
  // The box is a non-automatic three-state button: a click only reports, and
  // the new state is ours to set.
  if (code == BN_CLICKED) SetState(state_ == 1 ? 0 : 1);
}

void OptionGroup::Add(int index, const Control& button) {
  if (index >= static_cast<int>(buttons_.size())) buttons_.resize(index + 1);
  buttons_[index] = &button;
}

void OptionGroup::Select(int index) {
  if (index == selected_ || index < 0 || index >= static_cast<int>(buttons_.size())) return;
  PutBack(index);
  if (onClick) onClick(index);
}

void OptionGroup::PutBack(int index) {
  selected_ = index;
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    if (HWND button = buttons_[i]->hwnd()) {
      SendMessageW(button, BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
}

void OptionButton::OnCommand(WORD code) {
  if (code == BN_CLICKED) group_.Select(index_);
}

void OptionButton::ShowState() {
  SendMessageW(hwnd_, BM_SETCHECK, group_.Selected() == index_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DropDown::SetIndex(int index) {
  if (index == index_ || index < -1 || index >= Count()) return;
  index_ = index;
  if (hwnd_) SendMessageW(hwnd_, CB_SETCURSEL, index, 0);
  if (onClick) onClick();
}

void DropDown::PutBack(const Kept& kept) {
  Control::PutBack(kept);
  index_ = kept.state;
  if (hwnd_) SendMessageW(hwnd_, CB_SETCURSEL, index_, 0);
}

void DropDown::ShowState() {
  for (const auto& item : items_) {
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageW(hwnd_, CB_SETCURSEL, index_, 0);
}

void DropDown::OnCommand(WORD code) {
  // While the list is open, the item under the pointer or the arrow keys is
  // no choice yet; a list closed without one (Esc, a click elsewhere) shows
  // again the item it showed before it was opened.
  if (code == CBN_SELENDCANCEL) {
    SendMessageW(hwnd_, CB_SETCURSEL, index_, 0);
    return;
  }
  const bool open = SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  if (code != CBN_SELENDOK && (code != CBN_SELCHANGE || open)) return;
  const int index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
  if (index == index_ || index < 0) return;
  index_ = index;
  if (onClick) onClick();
}

void Bar::SetPosition(int position) {
  position = std::clamp(position, range_.min, range_.max);
  // The thumb always moves: after a drag it must settle where it was let go.
  if (hwnd_) MoveThumb(position);
  if (position == position_) return;
  position_ = position;
  if (onChange) onChange();
}

void Bar::PutBack(const Kept& kept) {
  Control::PutBack(kept);
  position_ = kept.state;
  if (hwnd_) MoveThumb(position_);
}

void ScrollBar::ShowState() {
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, range_.min, range_.max, 0, Position(), 0};
  SetScrollInfo(hwnd_, SB_CTL, &info, FALSE);
}

void ScrollBar::MoveThumb(int position) { SetScrollPos(hwnd_, SB_CTL, position, TRUE); }

void ScrollBar::OnScroll(WORD request, WORD thumb) {
  switch (request) {
    case SB_LINELEFT:
      return SetPosition(Position() - range_.small);
    case SB_LINERIGHT:
      return SetPosition(Position() + range_.small);
    case SB_PAGELEFT:
      return SetPosition(Position() - range_.large);
    case SB_PAGERIGHT:
      return SetPosition(Position() + range_.large);
    case SB_LEFT:
      return SetPosition(range_.min);
    case SB_RIGHT:
      return SetPosition(range_.max);
    case SB_THUMBPOSITION:  // the thumb let go
      return SetPosition(thumb);
    default:  // SB_THUMBTRACK: the scroll bar draws the dragged thumb itself.
      return;
  }
}

void Slider::ShowState() {
  SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, range_.min);
  SendMessageW(hwnd_, TBM_SETRANGEMAX, FALSE, range_.max);
  SendMessageW(hwnd_, TBM_SETLINESIZE, 0, range_.small);
  SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, range_.large);
  SendMessageW(hwnd_, TBM_SETTICFREQ, tickEvery_, 0);
  MoveThumb(Position());
}

void Slider::MoveThumb(int position) { SendMessageW(hwnd_, TBM_SETPOS, TRUE, position); }

void Slider::OnScroll(WORD request, WORD) {
  // The trackbar moves its own thumb; every request but the drag itself
  // (TB_THUMBTRACK) leaves it at a settled position.
  if (request != TB_THUMBTRACK)
    SetPosition(static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0)));
}

}  // namespace calvane
