// Every message box of the window goes through here, so that tests can
// answer them.
#pragma once

#include <windows.h>

#include <string>

namespace calvane {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Modal, owned by `owner`; returns when the user has dismissed it.
  virtual void Show(HWND owner, const std::wstring& text, const std::wstring& title,
                    UINT style) = 0;
};

class SystemMessageBoxes final : public MessageBoxes {
 public:
  void Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) override {
    MessageBoxW(owner, text.c_str(), title.c_str(), style);
  }
};

}  // namespace calvane
