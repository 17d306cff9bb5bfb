// The panel's one window: the tab control SSTab1 with its five pages, the OK
// button, the disabled Help button and the version label. It makes windows
// from the form's rows, shows the settings model, and hands each message to
// the unit that knows what to do with it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "model/Panel.h"
#include "registry/Store.h"
#include "window/ControlTable.h"
#include "window/DialogKeys.h"
#include "window/FileDialog.h"
#include "window/FormWindows.h"
#include "platform/Handles.h"
#include "window/MessageBoxes.h"
#include "window/OutsideChanges.h"
#include "window/SettingsMenu.h"
#include "window/Tooltips.h"
#include "window/WindowBase.h"

namespace calvane {

// The window class: one window of it per logon session.
inline constexpr wchar_t kFormClass[] = L"CalvaneForm1";

class Form1 final : public WindowBase<Form1>, private PanelView {
 public:
  // Creates the window, hidden, with every control in its design-time state.
  // `onUnload` runs when the window has gone (the program ends there).
  Form1(Store& store, MessageBoxes& boxes, FileDialog& files, std::function<void()> onUnload = {});
  ~Form1() override;
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

  // The window's keyboard and tooltips, for the message loop: true when the
  // message was used.
  bool PreTranslate(const MSG& msg);

  HWND hwnd() const { return window_.get(); }
  int Page() const;
  void ShowPage(int page);
  Control& Find(std::string_view name) const { return controls_.Find(name); }
  SettingsMenu& menu() { return *menu_; }

 private:
  friend class WindowBase<Form1>;
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnDestroyed();
  void OnControl(HWND control, WORD code);
  LRESULT OnNotify(const NMHDR& notice);
  void Bind();
  void Made(const ControlTable::Item& item);
  void Change(const Field& field, int state);
  void Show(const Field& field, const ControlState& state) override;
  HWND Tabs() const;

  Panel panel_;
  MessageBoxes& boxes_;
  FileDialog& files_;
  std::function<void()> onUnload_;
  int dpi_;
  UniqueFont font_;
  ControlTable controls_;
  std::vector<WriteFailure> startUpFailures_;
  UniqueWindow window_;
  std::optional<Tooltips> tips_;
  std::optional<FormWindows> windows_;
  std::optional<DialogKeys> keys_;
  std::optional<SettingsMenu> menu_;
  std::optional<OutsideChanges> outside_;
};

}  // namespace calvane
