// The control kinds of the panel's window. Each owns the state it shows and
// raises its event exactly when that state changes: by the user, or by the
// program setting a different state (then at once, before the setter
// returns). Setting the current state again raises nothing.
// A control keeps its state before it has a window: the pages not shown at
// start-up get theirs after the window has first been drawn.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace calvane {

// A child control; the form owns its window and routes notifications to it.
class Control {
 public:
  explicit Control(bool enabled = true) : enabled_(enabled) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Null until the control has its window.
  HWND hwnd() const { return hwnd_; }
  // Gives the control its window, which then shows the control's state.
  void Attach(HWND hwnd);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // What the control shows, taken and put back without raising its event:
  // the window's undo.
  struct Kept {
    int state = 0;
    std::wstring caption;
    bool enabled = true;
  };
  virtual Kept Keep() const { return {0, {}, enabled_}; }
  virtual void PutBack(const Kept& kept) { SetEnabled(kept.enabled); }

  // Notifications from the control's window: WM_COMMAND codes, and WM_HSCROLL
  // requests with the thumb position they carry.
  virtual void OnCommand(WORD /*code*/) {}
  virtual void OnScroll(WORD /*request*/, WORD /*thumb*/) {}

 protected:
  virtual void ShowState() {}
  HWND hwnd_ = nullptr;

 private:
  bool enabled_;
};

class Label : public Control {
 public:
  explicit Label(std::wstring caption) : caption_(std::move(caption)) {}
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  Kept Keep() const override { return {0, caption_, Enabled()}; }
  void PutBack(const Kept& kept) override { SetEnabled(kept.enabled), SetCaption(kept.caption); }

 private:
  void ShowState() override;
  std::wstring caption_;
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
  Kept Keep() const override { return {state_, {}, Enabled()}; }
  void PutBack(const Kept& kept) override;

 private:
  void ShowState() override;
  int state_ = 0;
};

// Option buttons of one name, indexed from 0; none selected at first.
class OptionGroup {
 public:
  int Selected() const { return selected_; }
  void Select(int index);
  // Shows `index` (-1: none) without raising the group's event.
  void PutBack(int index);
  std::function<void(int)> onClick;
  void Add(int index, const Control& button);

 private:
  std::vector<const Control*> buttons_;
  int selected_ = -1;
};

class OptionButton : public Control {
 public:
  OptionButton(OptionGroup& group, int index) : group_(group), index_(index) {
    group.Add(index, *this);
  }
  void OnCommand(WORD code) override;

 private:
  void ShowState() override;
  OptionGroup& group_;
  int index_;
};

// A selection-only list; index -1 shows nothing.
class DropDown : public Control {
 public:
  DropDown(std::vector<std::wstring> items, bool enabled)
      : Control(enabled), items_(std::move(items)) {}
  int Index() const { return index_; }
  int Count() const { return static_cast<int>(items_.size()); }
  void SetIndex(int index);
  std::function<void()> onClick;
  void OnCommand(WORD code) override;
  Kept Keep() const override { return {index_, {}, Enabled()}; }
  void PutBack(const Kept& kept) override;

 private:
  void ShowState() override;
  std::vector<std::wstring> items_;
  int index_ = -1;
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
  Kept Keep() const override { return {position_, {}, Enabled()}; }
  void PutBack(const Kept& kept) override;

 protected:
  explicit Bar(Range range) : range_(range), position_(range.min) {}
  virtual void MoveThumb(int position) = 0;
  const Range range_;

 private:
  int position_;
};

class ScrollBar : public Bar {
 public:
  explicit ScrollBar(Range range) : Bar(range) {}
  void OnScroll(WORD request, WORD thumb) override;

 private:
  void ShowState() override;
  void MoveThumb(int position) override;
};

class Slider : public Bar {
 public:
  Slider(Range range, int tickEvery) : Bar(range), tickEvery_(tickEvery) {}
  void OnScroll(WORD request, WORD thumb) override;

 private:
  void ShowState() override;
  void MoveThumb(int position) override;
  int tickEvery_;
};

}  // namespace calvane
