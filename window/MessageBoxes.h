// Every message box and file dialog of the window goes through here, so
// that tests can answer them.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace calvane {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Modal, owned by `owner`; returns when the user has dismissed it.
  virtual void Show(HWND owner, const std::wstring& text, const std::wstring& title,
                    UINT style) = 0;
  // The common dialog for saving or opening a registration file: the file
  // chosen, or the empty text when the user cancels.
  virtual std::wstring ChooseFile(HWND owner, bool save) = 0;
};

class SystemMessageBoxes final : public MessageBoxes {
 public:
  void Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) override {
    MessageBoxW(owner, text.c_str(), title.c_str(), style);
  }
  std::wstring ChooseFile(HWND owner, bool save) override {
    wchar_t file[MAX_PATH] = L"";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"Registration files (*.reg)\0*.reg\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"reg";
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    return chosen ? file : L"";
  }
};

}  // namespace calvane
