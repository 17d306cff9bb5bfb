// The panel's one window: the tab control SSTab1 with its five pages, the OK
// button, the disabled Help button and the version label.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "registry/Store.h"
#include "settings/Snapshot.h"
#include "window/Controls.h"
#include "window/FormLayout.h"
#include "window/Handles.h"
#include "window/MessageBoxes.h"

namespace calvane {

class GeneralPage;
class MidiPage;
class A3DPage;
class AC97Page;
class DigitalPage;

class Form1 {
 public:
  // Creates the window, hidden, with every control in its design-time state.
  // `onUnload` runs when the window has gone (the program ends there).
  Form1(Store& store, MessageBoxes& boxes, std::function<void()> onUnload = {});
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // The load step: reads the settings and fills every page, which writes
  // back what the fill moves.
  void Load();
  // Shows the window on a page (the program opens it on "General") with the
  // focus on OK, then tells the user about any setting the load step could
  // not save.
  void Show(int page = 0);
  void Unload();
  bool Unloaded() const { return !window_; }

  // The window's keyboard handling, for the message loop: Tab order, access
  // keys, Enter on a push button. True when the message was used.
  bool PreTranslate(const MSG& msg);

  HWND hwnd() const { return window_.get(); }
  int Dpi() const { return dpi_; }
  int Page() const;
  void ShowPage(int page);

  template <class T>
  T& Get(std::string_view name) const {
    return dynamic_cast<T&>(Find(name));
  }
  OptionGroup& Group(std::string_view name);
  Snapshot& snapshot() { return snapshot_; }
  const Snapshot& snapshot() const { return snapshot_; }

  // The single write path of the window: every registry write goes through
  // here, and a value that could not be saved is reported to the user once
  // the action (or the load step) that wrote it is over.
  void Write(Setting setting, const SettingValue& value);
  // The control that shows and edits a setting: a notice names the setting
  // as the window shows that control.
  void Edits(const char* control, Setting setting);
  // An "Information" box with the information icon.
  void Inform(const std::wstring& text);

 private:
  struct Item {
    const ControlRow* row;
    std::unique_ptr<Control> control;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  std::unique_ptr<Control> MakeControl(const ControlRow& row);
  // Windows for the controls of a page (-1: those outside the tab control).
  void CreatePage(int page);
  void CreateWindowOf(Item& item, bool visible);
  RECT PixelRect(const ControlRow& row) const;
  Control& Find(std::string_view name) const;
  const Item* ItemOf(HWND hwnd) const;
  void DrawTab(const DRAWITEMSTRUCT& draw) const;

  template <class Action>
  void RunAction(Action action);
  void ReportFailures();
  std::wstring ShownName(std::string_view control) const;

  bool Focusable(const Item& item) const;
  void MoveFocus(HWND from, bool backward);
  void FocusByKey(HWND control);
  void MoveInGroup(const Item& option, int step);
  bool AccessKey(wchar_t key);

  Store& store_;
  MessageBoxes& boxes_;
  std::function<void()> onUnload_;
  int dpi_;
  UniqueFont font_;
  std::vector<UniqueBitmap> pictures_;
  std::vector<Item> items_;
  std::vector<std::pair<std::string, std::unique_ptr<OptionGroup>>> groups_;
  Snapshot snapshot_;
  std::vector<std::pair<Setting, LONG>> failures_;
  std::array<const char*, kSettingCount> controlOf_{};
  int actionDepth_ = 0;
  bool loading_ = false;
  HWND lastFocus_ = nullptr;
  int tabWidth_ = 0;  // of each tab in the row, pixels
  std::array<bool, kPageCount + 1> pageCreated_{};
  std::unique_ptr<GeneralPage> general_;
  std::unique_ptr<MidiPage> midi_;
  std::unique_ptr<A3DPage> a3d_;
  std::unique_ptr<AC97Page> ac97_;
  std::unique_ptr<DigitalPage> digital_;
  UniqueWindow window_;  // last: goes first, before what its controls use
};

}  // namespace calvane
