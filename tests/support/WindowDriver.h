// Starts the real window the way the program does and drives it with real
// window messages, delivered through the same message loop and keyboard
// handling as the program's; and looks at it as pixels.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "registry/Store.h"
#include "window/Form1.h"
#include "window/FileDialog.h"
#include "window/MessageBoxes.h"

namespace calvane::test {

// Message boxes that record what they would have shown and return at once,
// and a file dialog that answers with `file`.
class RecordedBoxes final : public MessageBoxes, public FileDialog {
 public:
  struct Box {
    std::wstring text, title;
    UINT style;
    bool ownerShown;  // whether the owner was on the screen then
  };
  void Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) override {
    shown.push_back({text, title, style, IsWindowVisible(owner) != FALSE});
  }
  std::wstring Choose(HWND, bool) override { return file; }
  std::vector<Box> shown;
  std::wstring file;
};

// A window's pixels, 0x00RRGGBB, row by row from the top.
struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned> pixels;
  unsigned At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  bool operator==(const Picture&) const = default;
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

  // A control by its name or, when that holds an access key ("&Quad"), the
  // window of the form showing it as its caption.
  HWND Hwnd(std::string_view name);

  // A left click at a point of a control (its centre by default): mouse
  // down and up, posted as the input system would.
  void Click(HWND control, POINT at = {-1, -1});
  void Click(const char* name) { Click(Hwnd(name)); }
  // A click on the centre of the control as it lies on the screen, or the
  // pointer moved there, given to the window that the input system gives it
  // to (not to a disabled one).
  void ClickOnScreen(HWND control) { PointAt(control, true); }
  void Hover(HWND control) { PointAt(control, false); }
  // A click on a page's tab.
  void ClickTab(int page);
  // A click on a page's tab with the pointer, through the input system.
  void PressTab(int page);
  // Opens the list with a click and clicks the item in it.
  void Choose(const char* list, const wchar_t* item);
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

  // What a control shows: a button's check, a list's item text ("" for
  // none), a bar's or slider's position, a label's caption; with " off"
  // when it is disabled.
  std::wstring Look(const char* name) { return Look(Hwnd(name)); }
  std::wstring Look(HWND hwnd);

  // The whole window as it is on the screen, title bar and frame included.
  // With a list it has open: the screen where both lie, as the user sees
  // it, with whatever stands over them (a tooltip).
  Picture Capture(HWND list = nullptr);

 private:
  HWND Target() { return GetFocus() ? GetFocus() : form_->hwnd(); }
  void PointAt(HWND control, bool click);

  std::unique_ptr<Store> ownStore_;
  RecordedBoxes boxes_;
  bool unloaded_ = false;
  std::unique_ptr<Form1> form_;
};

// Writes a picture as a binary PPM file (P6), which ImageMagick reads.
void SavePpm(const Picture& picture, const std::string& path);

}  // namespace calvane::test
