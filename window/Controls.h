// The control kinds of the panel's window. Each owns the state it shows and
// raises its event exactly when that state changes: by the user, or by the
// program setting a different state (then at once, before the setter
// returns). Setting the current state again raises nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace calvane {

// A child control; the form owns its window and routes notifications to it.
class Control {
 public:
  explicit Control(HWND hwnd) : hwnd_(hwnd) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  void SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

  // Notifications from the control's window: WM_COMMAND codes, and WM_HSCROLL
  // requests with the thumb position they carry.
  virtual void OnCommand(WORD /*code*/) {}
  virtual void OnScroll(WORD /*request*/, WORD /*thumb*/) {}

 protected:
  HWND hwnd_;
};

class Label : public Control {
 public:
  using Control::Control;
  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
};

class PushButton : public Control {
 public:
  using Control::Control;
  std::function<void()> onClick;
  void OnCommand(WORD code) override;
};

// States 0 clear, 1 ticked, 2 grayed. The user toggles between 0 and 1 (a
// grayed box becomes ticked); 2 comes only from the program.
class CheckBox : public Control {
 public:
  using Control::Control;
  int State() const { return state_; }
  void SetState(int state);
  std::function<void()> onClick;
  void OnCommand(WORD code) override;

 private:
  int state_ = 0;
};

// Option buttons of one name, indexed from 0; none selected at first.
class OptionGroup {
 public:
  int Selected() const { return selected_; }
  void Select(int index);
  std::function<void(int)> onClick;
  void Add(int index, HWND button) {
    if (index >= static_cast<int>(buttons_.size())) buttons_.resize(index + 1);
    buttons_[index] = button;
  }

 private:
  std::vector<HWND> buttons_;
  int selected_ = -1;
};

class OptionButton : public Control {
 public:
  OptionButton(HWND hwnd, OptionGroup& group, int index)
      : Control(hwnd), group_(group), index_(index) {}
  void OnCommand(WORD code) override;

 private:
  OptionGroup& group_;
  int index_;
};

// A selection-only list; index -1 shows nothing.
class DropDown : public Control {
 public:
  DropDown(HWND hwnd, const std::vector<std::wstring>& items);
  int Index() const { return index_; }
  int Count() const { return count_; }
  void SetIndex(int index);
  std::function<void()> onClick;
  void OnCommand(WORD code) override;

 private:
  int index_ = -1;
  int count_;
};

struct Range {
  int min = 0, max = 0, small = 0, large = 0;
};

// Scroll bar and slider: a position from Min to Max that reports a change
// when it settles: after an arrow, a track click, a key, the release of a
// dragged thumb, or a new position from the program; never while the thumb
// is dragged.
class Bar : public Control {
 public:
  int Position() const { return position_; }
  bool InRange(int position) const { return position >= range_.min && position <= range_.max; }
  void SetPosition(int position);
  std::function<void()> onChange;

 protected:
  Bar(HWND hwnd, Range range) : Control(hwnd), range_(range), position_(range.min) {}
  virtual void MoveThumb(int position) = 0;
  const Range range_;

 private:
  int position_;
};

class ScrollBar : public Bar {
 public:
  ScrollBar(HWND hwnd, Range range);
  void OnScroll(WORD request, WORD thumb) override;

 private:
  void MoveThumb(int position) override;
};

class Slider : public Bar {
 public:
  Slider(HWND hwnd, Range range, int tickEvery);
  void OnScroll(WORD request, WORD thumb) override;

 private:
  void MoveThumb(int position) override;
};

}  // namespace calvane
