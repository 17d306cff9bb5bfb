#include "window/FileDialog.h"

#include <commdlg.h>

namespace calvane {

std::wstring SystemFileDialog::Choose(HWND owner, bool save) {
  static HMODULE library = LoadLibraryW(L"comdlg32.dll");
  using Dialog = BOOL(WINAPI*)(OPENFILENAMEW*);
  const auto dialog = library
                          ? reinterpret_cast<Dialog>(reinterpret_cast<void (*)()>(GetProcAddress(
                                library, save ? "GetSaveFileNameW" : "GetOpenFileNameW")))
                          : nullptr;
  if (!dialog) return L"";
  wchar_t file[MAX_PATH] = L"";
  OPENFILENAMEW chosen{};
  chosen.lStructSize = sizeof chosen;
  chosen.hwndOwner = owner;
  chosen.lpstrFilter = L"Registration files (*.reg)\0*.reg\0All files (*.*)\0*.*\0";
  chosen.lpstrFile = file;
  chosen.nMaxFile = MAX_PATH;
  chosen.lpstrDefExt = L"reg";
  chosen.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  return dialog(&chosen) ? file : L"";
}

}  // namespace calvane
