// Starting the program creates and loads the panel's window; closing the
// window ends the program. With arguments it works without the window.
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "registry/Store.h"
#include "platform/UniqueHandle.h"
#include "window/FileDialog.h"
#include "window/Form1.h"

namespace {

// One window per logon session: a start while one is open brings that window
// (or the message box or file dialog it has open) to the front and ends. The
// window of the start that made the mutex may not exist yet; it is waited
// for a little.
bool BroughtOpenWindowForward() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (HWND form = FindWindowW(calvane::kFormClass, nullptr)) {
      if (IsIconic(form)) ShowWindow(form, SW_RESTORE);
      HWND front = GetLastActivePopup(form);
      SetForegroundWindow(front);
      SetFocus(front);
      return true;
    }
    Sleep(100);
  }
  return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The arguments as the C runtime split them; no shell library is needed.
  const std::vector<std::wstring> arguments(__wargv + std::min(__argc, 1), __wargv + __argc);
  try {
    if (!arguments.empty()) return calvane::RunCommandLine(arguments);
    const calvane::UniqueHandle once(CreateMutexW(nullptr, FALSE, L"Local\\CalvaneControlPanel"));
    if (GetLastError() == ERROR_ALREADY_EXISTS && BroughtOpenWindowForward()) return 0;

    calvane::SystemRegistry registry;
    calvane::SystemMessageBoxes boxes;
    calvane::SystemFileDialog files;
    calvane::Form1 form(registry, boxes, files, [] { PostQuitMessage(0); });
    form.Load();
    form.Show();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (form.PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return 0;
  } catch (const std::exception& error) {
    // A window that cannot be made (no display) or a mistake in the
    // program's own tables: said plainly, on the standard error as well,
    // since without a display no message box shows.
    const std::string what = error.what();
    const std::wstring text = L"The panel cannot start: " + std::wstring(what.begin(), what.end());
    calvane::Complain(text + L".");
    MessageBoxW(nullptr, text.c_str(), L"Calvane Control Panel for Windows XP",
                MB_OK | MB_ICONERROR);
    return 3;
  }
}
