// Starting the program creates and loads the panel's window; closing the
// window ends the program. With arguments it works without the window.
#include <windows.h>
#include <shellapi.h>

#include "app/CommandLine.h"
#include "registry/Store.h"
#include "window/Form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  if (wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
    std::vector<std::wstring> arguments(argv + std::min(count, 1), argv + count);
    LocalFree(argv);
    if (!arguments.empty()) return calvane::RunCommandLine(arguments);
  }

  calvane::SystemRegistry registry;
  calvane::SystemMessageBoxes boxes;
  calvane::Form1 form(registry, boxes, [] { PostQuitMessage(0); });
  form.Load();
  form.Show();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (form.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
