// Starts the real window the way the program does and drives it with real
// window messages, delivered through the same message loop and keyboard
// handling as the program's; and the page tables, which start it on chosen
// stored values and check what each action writes and what it shows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "registry/Store.h"
#include "tests/support/TestRegistry.h"
#include "window/Form1.h"
#include "window/MessageBoxes.h"

namespace calvane::test {

// Message boxes that record what they would have shown and return at once.
class RecordedBoxes final : public MessageBoxes {
 public:
  struct Box {
    std::wstring text, title;
    UINT style;
  };
  void Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) override {
    shown.push_back({text, title, style});
    ownerShown.push_back(IsWindowVisible(owner) != FALSE);
  }
  std::vector<Box> shown;
  std::vector<bool> ownerShown;  // whether the owner was on the screen then
};

class WindowDriver {
 public:
  // Creates, loads and shows the window on `store` (the system registry
  // when none is given), its message boxes recorded unless real `boxes` are
  // given.
  explicit WindowDriver(Store* store = nullptr, bool show = true, MessageBoxes* boxes = nullptr);
  ~WindowDriver();

  Form1& form() { return *form_; }
  RecordedBoxes& boxes() { return boxes_; }
  bool unloaded() const { return unloaded_; }

  // Delivers everything queued, through the window's keyboard handling.
  void Pump();

  HWND Hwnd(const char* name) { return form_->Get<Control>(name).hwnd(); }
  // The option button of group `name` with that index; nothing past the last.
  HWND Option(const char* name, int index);
  HWND Focus() const { return GetFocus(); }
  // The control's name ("optQuad1" for an option button), "" for none.
  std::string Name(HWND hwnd);

  // A left click at a point of a control (its centre by default), shown
  // page or not: mouse down and up, posted as the input system would.
  void Click(HWND control, POINT at = {-1, -1});
  void Click(const char* name) { Click(Hwnd(name)); }
  // A click on the centre of the control as it lies on the screen, given to
  // the window that the input system gives it to (not to a disabled control).
  void ClickOnScreen(HWND control);
  // A click on a page's tab.
  void ClickTab(int page);
  // Opens the list with a click and clicks the item in it.
  void Choose(const char* list, const wchar_t* item);
  // Where the thumb of a scroll bar or slider lies, in its client
  // coordinates; `arrow` gets the width of a scroll bar's arrow buttons.
  RECT Thumb(HWND bar, int* arrow = nullptr);
  // Pressing the left button at `from`, moving to `to` and releasing there.
  void Drag(HWND control, POINT from, POINT to);
  // A key pressed and released at the focused control; modifiers are held
  // down meanwhile (VK_SHIFT, VK_CONTROL).
  void Key(UINT vk, std::vector<UINT> modifiers = {});
  // Alt held with a letter: an access key.
  void AltKey(wchar_t letter) { Deliver(Target(), WM_SYSCHAR, letter, 1 | (1u << 29)); }
  // A typed character at the focused control.
  void Char(wchar_t c) { Deliver(Target(), WM_CHAR, c, 1); }

  // Any message, posted as the window system would and then delivered.
  void Deliver(HWND to, UINT msg, WPARAM w, LPARAM l) { PostMessageW(to, msg, w, l), Pump(); }
  // From now on `watch` sees every message taken from the queue, by Pump or
  // by a loop of the window system's own (a scroll bar's drag, a modal box),
  // before it is handled.
  void Watch(std::function<void(const MSG&)> watch);

  std::wstring Text(HWND hwnd);
  // The state a button, list, bar or slider shows (check, selection,
  // position); 0 for the other kinds.
  int Shown(HWND hwnd);
  // What a control shows as text: a label its caption, a list its item (""
  // for none), an option group its chosen button's caption ("-" for none),
  // anything else its state, with " off" when it is disabled.
  std::wstring Look(const char* name);
  // Caption, shown state and enabling of every control, one per line.
  std::wstring States();

 private:
  HWND Target() { return GetFocus() ? GetFocus() : form_->hwnd(); }

  std::unique_ptr<Store> ownStore_;
  RecordedBoxes boxes_;
  bool unloaded_ = false;
  std::unique_ptr<HHOOK__, decltype(&UnhookWindowsHookEx)> hook_{nullptr, &UnhookWindowsHookEx};
  std::unique_ptr<Form1> form_;
};

using Seed = std::vector<std::pair<Setting, Stored>>;
using Looks = std::vector<std::pair<const char*, std::wstring>>;

// A user's action (none: the start-up); the values it writes, in order, as
// stored afterwards; what the named controls show then (see Look); the
// information notice it shows, if any.
struct Step {
  std::function<void(WindowDriver&)> act;
  Seed written;
  Looks shown;
  const wchar_t* notice = nullptr;
};
// Starts the window on a freshly installed driver with `stored` over it,
// every write recorded, and takes the steps. Of the start-up's writes only
// those of values in `stored` count.
void ExpectSteps(const Seed& stored, const std::vector<Step>& steps);

// The start-up on each case: the values stored over a fresh install, and
// its step's `written` and `shown`.
void ExpectFills(const std::vector<std::tuple<Seed, Seed, Looks>>& cases);

}  // namespace calvane::test
