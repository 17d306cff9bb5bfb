// The control kinds of the panel's window: views of the settings model. A
// control that edits settings shows the state the model owns for it
// (Refresh shows it again, raising nothing) and turns the user's input into
// one event of its own, `onChange`, carrying the state the user asked for:
// a check box's click, an item chosen from a list, an option button
// selected, a bar's position once it has settled. Whether that is a change,
// and what it writes, the model decides; the control then shows the model's
// state again, so that a refused change leaves it as it was. A control keeps
// no state of its own that decides anything.
// A control shows its state when it gets its window: a page gets its
// windows when it is first shown.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "model/Panel.h"

namespace calvane {

// A child control; the form owns its window and routes notifications to it.
class Control {
 public:
  // `disabled`: disabled for good, whatever the model says.
  explicit Control(bool disabled = false) : disabled_(disabled) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Null until the control has its window.
  HWND hwnd() const { return hwnd_; }
  // Gives the control its window, which then shows the model's state.
  void Attach(HWND hwnd);
  // Shows the model's state of the control, which lives as long as it does.
  void Bind(const ControlState& state) { state_ = &state; }
  // Shows the model's state again; raises nothing.
  void Refresh();

  // The user asks for this state.
  std::function<void(int)> onChange;

  // Notifications from the control's window: WM_COMMAND codes, and WM_HSCROLL
  // requests with the thumb position they carry.
  virtual void OnCommand(WORD /*code*/) {}
  virtual void OnScroll(WORD /*request*/, WORD /*thumb*/) {}

 protected:
  virtual void ShowState() {}
  // The model's state: its design-time state until the control is bound.
  int State() const { return state_ ? state_->state : DesignState(); }
  const ControlState* Bound() const { return state_; }
  virtual int DesignState() const { return 0; }
  void Ask(int state) {
    if (onChange) onChange(state);
    // Whatever the model made of it, the control shows the model's state.
    ShowState();
  }
  HWND hwnd_ = nullptr;

 private:
  bool disabled_;
  const ControlState* state_ = nullptr;
};

// A label shows its design-time caption, or the caption the model gives
// the label of a field.
class Label : public Control {
 public:
  explicit Label(std::wstring caption) : caption_(std::move(caption)) {}

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
  void OnCommand(WORD code) override;

 private:
  void ShowState() override;
};

// Option buttons of one group, indexed from 0; none selected at first. A
// button selected asks for its index, unless it is the one shown.
class OptionGroup : public Control {
 public:
  void Add(int index, const Control& button);
  void Select(int index);
  int Count() const { return static_cast<int>(buttons_.size()); }
  const Control& Button(int index) const { return *buttons_[index]; }
  int Chosen() const { return State(); }

 private:
  void ShowState() override;
  int DesignState() const override { return -1; }
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
  DropDown(std::vector<std::wstring> items, bool disabled)
      : Control(disabled), items_(std::move(items)) {}
  int Count() const { return static_cast<int>(items_.size()); }
  bool Open() const;
  void OnCommand(WORD code) override;

 private:
  void ShowState() override;
  int DesignState() const override { return -1; }
  std::vector<std::wstring> items_;
  bool filled_ = false;
};

// Scroll bar and slider: a position from Min to Max that asks for a change
// when it settles: after an arrow, a track click, a key, the release of a
// dragged thumb; never while the thumb is dragged.
class Bar : public Control {
 public:
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
  bool ranged_ = false;
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
  bool ranged_ = false;
};

}  // namespace calvane
