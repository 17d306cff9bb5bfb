// The control kinds of the panel's window. Each shows the state the settings
// model gives it (Show, which raises nothing) and turns the user's input
// into one event of its own, `onChange`, carrying the state the user asked
// for: a check box's click, an item chosen from a list, an option button
// selected, a bar's position once it has settled. Whether that is a change,
// and what it writes, the model decides; what it then shows comes back
// through Show.
// A control keeps its state before it has a window: a page gets its windows
// when it is first shown.
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

  void SetEnabled(bool enabled);
  // A state from the model; raises nothing. Kinds without a state ignore it.
  virtual void Show(int /*state*/) {}
  int Shown() const { return shown_; }

  // The user asks for this state.
  std::function<void(int)> onChange;

  // Notifications from the control's window: WM_COMMAND codes, and WM_HSCROLL
  // requests with the thumb position they carry.
  virtual void OnCommand(WORD /*code*/) {}
  virtual void OnScroll(WORD /*request*/, WORD /*thumb*/) {}

 protected:
  virtual void ShowState() {}
  void Ask(int state) {
    if (onChange) onChange(state);
  }
  HWND hwnd_ = nullptr;
  int shown_ = 0;

 private:
  bool enabled_;
};

class Label : public Control {
 public:
  explicit Label(std::wstring caption) : caption_(std::move(caption)) {}
  void SetCaption(const std::wstring& caption);

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

// States 0 clear, 1 ticked, 2 grayed. A click asks for ticked, or for clear
// when ticked: a grayed box becomes ticked.
class CheckBox : public Control {
 public:
  using Control::Control;
  void Show(int state) override;
  void OnCommand(WORD code) override;

 private:
  void ShowState() override;
};

// Option buttons of one name, indexed from 0; none selected at first. A
// button selected asks for its index, unless it is the one shown.
class OptionGroup : public Control {
 public:
  void Show(int index) override;
  void Add(int index, const Control& button);
  void Select(int index);
  int Count() const { return static_cast<int>(buttons_.size()); }
  const Control& Button(int index) const { return *buttons_[index]; }

 private:
  void ShowState() override;
  std::vector<const Control*> buttons_;
};

class OptionButton : public Control {
 public:
  OptionButton(OptionGroup& group, int index) : group_(group), index_(index) {
    group.Add(index, *this);
  }
  OptionGroup& group() const { return group_; }
  int index() const { return index_; }
  void OnCommand(WORD code) override;

 private:
  void ShowState() override;
  OptionGroup& group_;
  int index_;
};

// A selection-only list; index -1 shows nothing. Only a choice made counts:
// not the items passed over while it is open.
class DropDown : public Control {
 public:
  DropDown(std::vector<std::wstring> items, bool enabled)
      : Control(enabled), items_(std::move(items)) {
    shown_ = -1;
  }
  void Show(int index) override;
  int Count() const { return static_cast<int>(items_.size()); }
  bool Open() const;
  void OnCommand(WORD code) override;

 private:
  void ShowState() override;
  std::vector<std::wstring> items_;
};

// Scroll bar and slider: a position from Min to Max that asks for a change
// when it settles: after an arrow, a track click, a key, the release of a
// dragged thumb; never while the thumb is dragged.
class Bar : public Control {
 public:
  void Show(int position) override;
  bool Dragged() const { return dragged_; }

 protected:
  Bar(int min, int max, int small, int large)
      : min_(min), max_(max), small_(small), large_(large) {}
  void Settle(int position);
  virtual void MoveThumb(int position) = 0;
  const int min_, max_, small_, large_;
  bool dragged_ = false;
};

class ScrollBar : public Bar {
 public:
  ScrollBar(int min, int max, int small, int large) : Bar(min, max, small, large) {}
  void OnScroll(WORD request, WORD thumb) override;

 private:
  void ShowState() override;
  void MoveThumb(int position) override;
};

class Slider : public Bar {
 public:
  Slider(int min, int max, int small, int large, int tickEvery)
      : Bar(min, max, small, large), tickEvery_(tickEvery) {}
  void OnScroll(WORD request, WORD thumb) override;

 private:
  void ShowState() override;
  void MoveThumb(int position) override;
  int tickEvery_;
};

}  // namespace calvane
