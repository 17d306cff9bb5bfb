// Starts the real window the way the program does and drives it with real
// window messages, delivered through the same message loop and keyboard
// handling as the program's.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
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
  }
  std::vector<Box> shown;
  std::vector<HWND> owners;
};

class WindowDriver {
 public:
  // Creates, loads and shows the window on `store` (the system registry
  // when none is given).
  explicit WindowDriver(Store* store = nullptr, bool show = true);
  ~WindowDriver();

  Form1& form() { return *form_; }
  RecordedBoxes& boxes() { return boxes_; }
  bool unloaded() const { return unloaded_; }

  // Delivers everything queued, through the window's keyboard handling.
  void Pump();

  HWND Hwnd(const char* name) { return form_->Get<Control>(name).hwnd(); }
  HWND Focus() const { return GetFocus(); }

  // A left click at a point of a control (its centre by default), shown
  // page or not: mouse down and up, posted as the input system would.
  void Click(HWND control, POINT at = {-1, -1});
  void Click(const char* name) { Click(Hwnd(name)); }
  // Pressing the left button at `from`, moving to `to` and releasing there.
  void Drag(HWND control, POINT from, POINT to);
  // A key pressed and released at the focused control; modifiers are held
  // down meanwhile (VK_SHIFT, VK_CONTROL).
  void Key(UINT vk, std::vector<UINT> modifiers = {});
  // Alt held with a letter: an access key.
  void AltKey(wchar_t letter);
  // A typed character at the focused control.
  void Char(wchar_t c);

  std::wstring Text(const char* name);

 private:
  void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  std::unique_ptr<Store> ownStore_;
  RecordedBoxes boxes_;
  bool unloaded_ = false;
  std::unique_ptr<Form1> form_;
};

}  // namespace calvane::test
