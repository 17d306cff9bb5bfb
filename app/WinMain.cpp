// Starting the program creates and loads the panel's window; closing the
// window ends the program.
#include <windows.h>

#include "registry/Store.h"
#include "window/Form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
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
