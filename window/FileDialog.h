// The file dialog in which the user chooses a settings file to save or to
// load; tests answer it themselves.
#pragma once

#include <windows.h>

#include <string>

namespace calvane {

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // The file chosen, or the empty text when the user cancels.
  virtual std::wstring Choose(HWND owner, bool save) = 0;
};

// The system's common dialog. Its library is loaded only when the dialog is
// first opened: loaded at start, it and what it needs would cost the panel
// memory that most runs never use.
class SystemFileDialog final : public FileDialog {
 public:
  std::wstring Choose(HWND owner, bool save) override;
};

}  // namespace calvane
