// Starts the real window the way the program does and drives it with real
// window messages, delivered through the same message loop and keyboard
// handling as the program's.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "registry/Store.h"
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
    owners.push_back(owner);
    ownerShown.push_back(IsWindowVisible(owner) != FALSE);
  }
  std::vector<Box> shown;
  std::vector<HWND> owners;
  std::vector<bool> ownerShown;  // whether the owner was on the screen then
};

class WindowDriver {
 public:
  // Creates, loads and shows the window on `store` (the system registry
  // when none is given), its message boxes recorded unless `realBoxes` are
  // given.
  explicit WindowDriver(Store* store = nullptr, bool show = true,
                        MessageBoxes* realBoxes = nullptr);
  ~WindowDriver();

  Form1& form() { return *form_; }
  RecordedBoxes& boxes() { return boxes_; }
  bool unloaded() const { return unloaded_; }

  // Delivers everything queued, through the window's keyboard handling.
  void Pump();

  HWND Hwnd(const char* name) { return form_->Get<Control>(name).hwnd(); }
  // The option button of group `name` with that index.
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
  // Where the thumb of a scroll bar or slider lies, in its client
  // coordinates; `arrow` gets the width of a scroll bar's arrow buttons.
  RECT Thumb(HWND bar, int* arrow = nullptr);
  // Pressing the left button at `from`, moving to `to` and releasing there.
  void Drag(HWND control, POINT from, POINT to);
  // A key pressed and released at the focused control; modifiers are held
  // down meanwhile (VK_SHIFT, VK_CONTROL).
  void Key(UINT vk, std::vector<UINT> modifiers = {});
  // Alt held with a letter: an access key.
  void AltKey(wchar_t letter);
  // A typed character at the focused control.
  void Char(wchar_t c);

  // Any message, posted as the window system would and then delivered.
  void Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // From now on `watch` sees every message taken from the queue, by Pump or
  // by a loop of the window system's own (a scroll bar's drag, a modal box),
  // before it is handled.
  void Watch(std::function<void(const MSG&)> watch);

  std::wstring Text(const char* name) { return Text(Hwnd(name)); }
  std::wstring Text(HWND hwnd);
  // The state a button, list, bar or slider shows (check, selection,
  // position); 0 for the other kinds.
  int Shown(HWND hwnd);
  // Caption, shown state and enabling of every control, one per line.
  std::wstring States();

 private:
  struct Unhook {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
  };
  static LRESULT CALLBACK Taken(int code, WPARAM wParam, LPARAM lParam);
  void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  std::unique_ptr<Store> ownStore_;
  RecordedBoxes boxes_;
  bool unloaded_ = false;
  std::function<void(const MSG&)> watch_;
  std::unique_ptr<std::remove_pointer_t<HHOOK>, Unhook> hook_;
  std::unique_ptr<Form1> form_;
};

}  // namespace calvane::test
