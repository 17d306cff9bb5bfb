// The Control Panel applet, calvane.cpl: one item that starts the panel kept
// in the applet's own folder. It keeps no state and reads no registry; a
// panel already open comes to the front by the panel's one-window rule.
#include <windows.h>

#include <cpl.h>

#include <string>

#include "cpl/AppletIds.h"
#include "cpl/Launch.h"
#include "platform/SystemText.h"

namespace {

HINSTANCE applet = nullptr;

// False when the panel could not be started, which the user is told.
bool StartPanel(HWND owner) {
  const std::wstring panel = calvane::BesideModule(applet, L"calvane-panel.exe");
  const calvane::Started started = calvane::Start(panel, L"");
  if (!started.error) return true;
  const std::wstring text = L"The Calvane Control Panel could not be started from\r\n" + panel +
                            L"\r\n\r\n" + calvane::SystemText(started.error);
  MessageBoxW(owner, text.c_str(), L"Calvane Control Panel", MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    applet = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

// Control Panel's entry point. CPL_INQUIRE gives resource numbers only, the
// form Windows XP caches; CPL_STARTWPARMS is always taken as handled, so that
// a failure is told once and not again through CPL_DBLCLK.
extern "C" __declspec(dllexport) LONG APIENTRY
    CPlApplet(HWND window, UINT message, LPARAM, LPARAM data) {
  switch (message) {
    case CPL_INIT:
      return TRUE;
    case CPL_GETCOUNT:
      return 1;
    case CPL_INQUIRE: {
      auto* info = reinterpret_cast<CPLINFO*>(data);
      info->idIcon = IDI_PANEL;
      info->idName = IDS_APPLET_NAME;
      info->idInfo = IDS_APPLET_INFO;
      info->lData = 0;
      return 0;
    }
    case CPL_DBLCLK:
      return StartPanel(window) ? 0 : 1;
    case CPL_STARTWPARMS:
      StartPanel(window);
      return TRUE;
    default:
      return 0;
  }
}
