// The window menu's three commands on the settings: Undo All Changes, Save
// Settings As... and Load Settings..., each telling the user what it could
// not do.
#pragma once

#include <windows.h>

#include <string>

#include "model/Panel.h"
#include "window/FileDialog.h"
#include "window/MessageBoxes.h"

namespace calvane {

class SettingsMenu {
 public:
  // Adds the commands to the form's window menu.
  SettingsMenu(HWND form, Panel& panel, MessageBoxes& boxes, FileDialog& files);

  // WM_INITMENUPOPUP of the window menu: Undo is grayed while there is
  // nothing to undo.
  void Prepare(HMENU menu) const;
  // WM_SYSCOMMAND: true when it was one of these commands.
  bool Command(UINT command);

  void Undo();
  void Save(const std::wstring& path);
  // One notice for a change that could not be saved.
  void Tell(const WriteFailure& failure);

 private:
  void Load(const std::wstring& path);
  HWND form_;
  Panel& panel_;
  MessageBoxes& boxes_;
  FileDialog& files_;
};

}  // namespace calvane
