#include "app/CommandLine.h"

#include <windows.h>

#include "model/Panel.h"
#include "model/SettingsTransfer.h"
#include "settings/RegistrationText.h"
#include "registry/Store.h"
#include "model/Notices.h"
#include "pages/Pages.h"

namespace calvane {
namespace {

constexpr const wchar_t* kUsage =
    L"Usage: calvane-panel [/save FILE | /load FILE | /?]\r\n"
    L"  (none)      opens the panel\r\n"
    L"  /save FILE  saves the settings as the panel shows them at start-up in FILE, a\r\n"
    L"              registration file; nothing is stored in the registry\r\n"
    L"  /load FILE  stores the settings of FILE, a registration file, as they are\r\n"
    L"  /?          shows this text\r\n"
    L"The exit status is 0 on success, 1 when a setting or the file could not be\r\n"
    L"written or nothing was stored (nothing was changed then), 2 when the file or an\r\n"
    L"argument is refused, 3 when the window could not be opened, 4 when the rest\r\n"
    L"was stored but a key was missing (its values were skipped).\r\n";

// Standard output or error as the program was given it, else the console of
// the program that started it, if any.
void Print(DWORD which, const std::wstring& text) {
  HANDLE out = GetStdHandle(which);
  if (!out || out == INVALID_HANDLE_VALUE) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) return;
    out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                      nullptr);
    if (out == INVALID_HANDLE_VALUE) return;
  }
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(out, &mode)) {
    WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const int size = static_cast<int>(text.size());
  std::string narrow(
      WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, narrow.data(), static_cast<int>(narrow.size()),
                      nullptr, nullptr);
  WriteFile(out, narrow.data(), static_cast<DWORD>(narrow.size()), &written, nullptr);
}

// A slash and a letter or a question mark, as switches are written.
bool IsSwitch(const std::wstring& argument) {
  if (argument.size() < 2 || argument[0] != L'/') return false;
  const wchar_t letter = argument[1] | 0x20;  // lower case, for ASCII letters
  return (letter >= L'a' && letter <= L'z') || argument[1] == L'?';
}

void Say(const std::wstring& text) { Print(STD_OUTPUT_HANDLE, text + L"\r\n"); }

// The settings as the window would show them at start-up, read with nothing
// written, saved in the file.
int Save(const std::wstring& path) {
  SystemRegistry registry;
  Panel panel(registry, Pages());
  panel.ReadStored();
  const SaveOutcome outcome = SaveSettings(panel, path);
  if (outcome.nothingStored) {
    Complain(L"Nothing was saved: the driver's settings were not found.");
    return 1;
  }
  if (outcome.error) {
    Complain(L"The settings could not be saved in " + path + L": " + WhyNotSaved(outcome.error));
    return 1;
  }
  Say(L"Saved " + Counted(outcome.saved) + L" in " + path + L".");
  if (!outcome.leftOut.empty()) Say(LeftOut(panel, outcome));
  return 0;
}

int Load(const std::wstring& path) {
  SystemRegistry registry;
  Panel panel(registry, Pages());
  const LoadOutcome outcome = LoadSettings(panel, path);
  if (outcome.refused || outcome.unshowable) {
    Complain(L"No setting was loaded from " + path + L". " + Refusal(panel, outcome) + L".");
    return 2;
  }
  if (outcome.failure) {
    Complain(L"No setting was loaded from " + path + L". " + ChangeNotice(panel, *outcome.failure));
    return 1;
  }
  Say(L"Stored " + Counted(outcome.plan.Values()) + L" from " + path + L".");
  if (const std::wstring remarks = LoadRemarks(outcome.plan); !remarks.empty()) {
    (outcome.plan.missingKeys.empty() ? Say : Complain)(remarks);
  }
  // Values skipped for a missing key: 4 when the rest was stored, 1 when
  // nothing was, as for a failed write. (3 is a window that could not open.)
  if (outcome.plan.missingKeys.empty()) return 0;
  return outcome.plan.Values() > 0 ? 4 : 1;
}

}  // namespace

void Complain(const std::wstring& text) { Print(STD_ERROR_HANDLE, text + L"\r\n"); }

int RunCommandLine(const std::vector<std::wstring>& arguments) {
  if (arguments.size() == 1 && arguments[0] == L"/?") {
    Say(kUsage);
    return 0;
  }
  const bool save = arguments.size() == 2 && _wcsicmp(arguments[0].c_str(), L"/save") == 0;
  const bool load = arguments.size() == 2 && _wcsicmp(arguments[0].c_str(), L"/load") == 0;
  if ((save || load) && arguments[1].empty()) {
    Complain(L"No file was named: give the settings file after " + arguments[0] + L".");
    return 2;
  }
  // A switch where the file should be ("/save /load") is not taken as the
  // name of a file at the root of the drive.
  if ((save || load) && IsSwitch(arguments[1])) {
    Complain(L"No file was named: give the settings file after " + arguments[0] + L" (\"" +
             registration::Cut(arguments[1]) + L"\" is a switch, not a file name).\r\n\r\n" +
             kUsage);
    return 2;
  }
  if (save) return Save(arguments[1]);
  if (load) return Load(arguments[1]);
  std::wstring given;
  for (const auto& argument : arguments) {
    given += L" " + registration::Cut(argument);
  }
  Complain(L"Arguments not understood:" + given + L"\r\n\r\n" + kUsage);
  return 2;
}

}  // namespace calvane
