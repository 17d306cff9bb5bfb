#include "window/Controls.h"

#include <commctrl.h>

#include <algorithm>

namespace calvane {

std::wstring Label::Caption() const {
  std::wstring caption(GetWindowTextLengthW(hwnd_) + 1, L'\0');
  caption.resize(GetWindowTextW(hwnd_, caption.data(), static_cast<int>(caption.size())));
  return caption;
}

void Label::SetCaption(const std::wstring& caption) { SetWindowTextW(hwnd_, caption.c_str()); }

void PushButton::OnCommand(WORD code) {
  if (code == BN_CLICKED && onClick) onClick();
}

void CheckBox::SetState(int state) {
  if (state == state_) return;
  state_ = state;
  SendMessageW(hwnd_, BM_SETCHECK, state, 0);
  if (onClick) onClick();
}

void CheckBox::OnCommand(WORD code) {
  // The box is a non-automatic three-state button: a click only reports, and
  // the new state is ours to set.
  if (code == BN_CLICKED) SetState(state_ == 1 ? 0 : 1);
}

void OptionGroup::Select(int index) {
  if (index == selected_ || index < 0 || index >= static_cast<int>(buttons_.size())) return;
  selected_ = index;
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    SendMessageW(buttons_[i], BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  if (onClick) onClick(index);
}

void OptionButton::OnCommand(WORD code) {
  if (code == BN_CLICKED) group_.Select(index_);
}

DropDown::DropDown(HWND hwnd, const std::vector<std::wstring>& items)
    : Control(hwnd), count_(static_cast<int>(items.size())) {
  for (const auto& item : items) {
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

void DropDown::SetIndex(int index) {
  if (index == index_ || index < -1 || index >= count_) return;
  index_ = index;
  SendMessageW(hwnd_, CB_SETCURSEL, index, 0);
  if (onClick) onClick();
}

void DropDown::OnCommand(WORD code) {
  if (code != CBN_SELCHANGE) return;
  const int index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
  if (index == index_) return;
  index_ = index;
  if (onClick) onClick();
}

void Bar::SetPosition(int position) {
  position = std::clamp(position, range_.min, range_.max);
  // The thumb always moves: after a drag it must settle where it was let go.
  MoveThumb(position);
  if (position == position_) return;
  position_ = position;
  if (onChange) onChange();
}

ScrollBar::ScrollBar(HWND hwnd, Range range) : Bar(hwnd, range) {
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, range.min, range.max, 0, range.min, 0};
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

Slider::Slider(HWND hwnd, Range range, int tickEvery) : Bar(hwnd, range) {
  SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, range.min);
  SendMessageW(hwnd_, TBM_SETRANGEMAX, FALSE, range.max);
  SendMessageW(hwnd_, TBM_SETLINESIZE, 0, range.small);
  SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, range.large);
  SendMessageW(hwnd_, TBM_SETTICFREQ, tickEvery, 0);
  MoveThumb(range.min);
}

void Slider::MoveThumb(int position) { SendMessageW(hwnd_, TBM_SETPOS, TRUE, position); }

void Slider::OnScroll(WORD request, WORD) {
  // The trackbar moves its own thumb; every request but the drag itself
  // (TB_THUMBTRACK) leaves it at a settled position.
  if (request != TB_THUMBTRACK)
    SetPosition(static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0)));
}

}  // namespace calvane
