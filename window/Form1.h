// The panel's one window: the tab control SSTab1 with its five pages, the OK
// button, the disabled Help button and the version label.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "registry/Store.h"
#include "settings/Profile.h"
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
  // How a control edits its settings, for notices, profiles and undo: the
  // numbers it holds now (nothing when it shows no stored value), the state
  // of it that shows given numbers (nothing when none can), and the setting
  // of a state, which runs the control's change action. A notice names the
  // settings as the window shows the control.
  struct Binding {
    const char* control;
    std::vector<Setting> settings;
    std::function<std::optional<std::vector<std::uint32_t>>()> held;
    std::function<std::optional<int>(const std::vector<std::uint32_t>&)> state;
    std::function<void(int)> set;
  };
  void Bind(Binding binding);

  // Profiles. The numbers the window holds; a file's numbers matched to the
  // controls' states (a voice mode or EQ item only as a whole row), or the
  // fault of the first line no control can show.
  struct Choice {
    const Binding* binding;
    std::vector<std::uint32_t> numbers;
    int state;
  };
  Profile HeldProfile() const;
  std::variant<std::vector<Choice>, ProfileFault> Choose(const Profile& profile) const;
  // Saves to or loads from a file, telling the user of a failure; loading
  // sets the controls through their change actions.
  bool SaveSettings(const std::wstring& path);
  bool LoadSettings(const std::wstring& path);

  // Puts back, exactly as it was stored when the window was shown, every
  // value written since, and shows again what the window showed then.
  void UndoAll();
  bool Changed() const;
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
  void Keep();
  void AddTips(const Item& item);
  void PlaceTip();
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
  std::vector<std::unique_ptr<Binding>> bindings_;
  std::array<const Binding*, kSettingCount> bindingOf_{};
  // Since the window was shown: each value written, with what it held then
  // (nothing: it did not exist); and what the controls and snapshot showed.
  std::array<std::optional<std::optional<RawValue>>, kSettingCount> original_;
  std::vector<Control::Kept> shown_;
  std::vector<int> shownGroups_;
  Snapshot shownSnapshot_;
  HWND tips_ = nullptr;  // the tooltip window; the form, its owner, destroys it
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
