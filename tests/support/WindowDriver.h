// Starts the real window the way the program does and drives it with real
// window messages, delivered through the same message loop and keyboard
// handling as the program's; and looks at it as pixels.
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
    bool ownerShown;  // whether the owner was on the screen then
  };
  void Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) override {
    shown.push_back({text, title, style, IsWindowVisible(owner) != FALSE});
  }
  // The file dialog answers with `file`.
  std::wstring ChooseFile(HWND, bool) override { return file; }
  std::vector<Box> shown;
  std::wstring file;
};

// A window's pixels, 0x00RRGGBB, row by row from the top.
struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned> pixels;
  unsigned At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

class WindowDriver {
 public:
  // Creates, loads and shows the window on `store` (the system registry
  // when none is given), its message boxes recorded unless real `boxes` are
  // given; opened on `page` (the program opens it on "General").
  explicit WindowDriver(Store* store = nullptr, MessageBoxes* boxes = nullptr, int page = 0);
  ~WindowDriver();

  Form1& form() { return *form_; }
  RecordedBoxes& boxes() { return boxes_; }
  bool unloaded() const { return unloaded_; }

  // Delivers everything queued, through the window's keyboard handling.
  void Pump();

  HWND Hwnd(const char* name) { return form_->Get<Control>(name).hwnd(); }
  // The window of the form showing this caption ("&Quad").
  HWND Captioned(const wchar_t* caption);
  HWND Focus() const { return GetFocus(); }

  // A left click at a point of a control (its centre by default): mouse
  // down and up, posted as the input system would.
  void Click(HWND control, POINT at = {-1, -1});
  void Click(const char* name) { Click(Hwnd(name)); }
  void Click(const wchar_t* caption) { Click(Captioned(caption)); }
  // A click on the centre of the control as it lies on the screen, given to
  // the window that the input system gives it to (not to a disabled one).
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

  static std::wstring Text(HWND hwnd);
  // What a control shows: a button's check, a list's item text ("" for
  // none), a bar's or slider's position, a label's caption; with " off"
  // when it is disabled.
  std::wstring Look(const char* name);
  std::wstring Look(const wchar_t* caption) { return Look(Captioned(caption)); }
  std::wstring Look(HWND hwnd);

  // The whole window as it is on the screen, title bar and frame included.
  Picture Capture();

 private:
  HWND Target() { return GetFocus() ? GetFocus() : form_->hwnd(); }

  std::unique_ptr<Store> ownStore_;
  RecordedBoxes boxes_;
  bool unloaded_ = false;
  std::unique_ptr<HHOOK__, decltype(&UnhookWindowsHookEx)> hook_{nullptr, &UnhookWindowsHookEx};
  std::unique_ptr<Form1> form_;
};

// Pixels that differ by more than `tolerance` in any colour channel.
int Differences(const Picture& a, const Picture& b, int tolerance = 8);
// Writes a picture as a 24-bit BMP file.
void SaveBmp(const Picture& picture, const std::string& path);

}  // namespace calvane::test
