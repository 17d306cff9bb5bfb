#include "app/CommandLine.h"

#include <windows.h>

#include "registry/Store.h"
#include "settings/Profile.h"
#include "settings/Snapshot.h"
#include "window/Form1.h"

namespace calvane {
namespace {

constexpr const wchar_t* kUsage =
    L"Usage: calvane-panel [/save FILE | /load FILE | /?]\r\n"
    L"  (none)      opens the panel\r\n"
    L"  /save FILE  saves the settings as the panel shows them at start-up in FILE, a\r\n"
    L"              registration file\r\n"
    L"  /load FILE  stores the settings of FILE, a registration file of the panel's\r\n"
    L"              values, as they are\r\n"
    L"  /?          shows this text\r\n"
    L"The exit status is 0 on success, 1 when a setting or the file could not be\r\n"
    L"written, 2 when the file or an argument is refused.\r\n";

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

void Say(const std::wstring& text) { Print(STD_OUTPUT_HANDLE, text + L"\r\n"); }
void Complain(const std::wstring& text) { Print(STD_ERROR_HANDLE, text + L"\r\n"); }

// What the window would tell in a box goes to the standard error.
class ConsoleBoxes final : public MessageBoxes {
 public:
  void Show(HWND, const std::wstring& text, const std::wstring&, UINT) override { Complain(text); }
  std::wstring ChooseFile(HWND, bool) override { return {}; }
};

// The registry for reading only: a write is dropped as if it worked.
class ReadOnlyRegistry final : public Store {
 public:
  LONG OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key) override {
    return system_.OpenKey(root, path, access & ~static_cast<REGSAM>(KEY_SET_VALUE), key);
  }
  LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override {
    return system_.QueryValue(key, name, type, data, size);
  }
  LONG SetValue(HKEY, const char*, DWORD, const BYTE*, DWORD) override { return ERROR_SUCCESS; }
  LONG CloseKey(HKEY key) override { return system_.CloseKey(key); }

 private:
  SystemRegistry system_;
};

int Save(const std::wstring& path) {
  ReadOnlyRegistry registry;
  ConsoleBoxes boxes;
  Form1 form(registry, boxes);
  form.Load();
  const Profile profile = form.HeldProfile();
  if (const DWORD error = WriteWholeFile(path, FormatProfile(profile))) {
    Complain(L"The settings could not be saved in " + path + L" (error " + std::to_wstring(error) +
             L").");
    return 1;
  }
  Say(L"Saved " + std::to_wstring(profile.size()) + L" settings in " + path + L".");
  return 0;
}

int Load(const std::wstring& path) {
  SystemRegistry registry;
  ConsoleBoxes boxes;
  Form1 form(registry, boxes);
  std::string file;
  if (const DWORD error = ReadWholeFile(path, file, kProfileLimit)) {
    Complain(path + L" could not be read (error " + std::to_wstring(error) + L").");
    return 2;
  }
  auto read = ParseProfile(file);
  std::variant<std::vector<Form1::Choice>, ProfileFault> chosen = ProfileFault{};
  if (const auto* profile = std::get_if<Profile>(&read)) {
    chosen = form.Choose(*profile);
  } else {
    chosen = std::get<ProfileFault>(read);
  }
  if (const auto* fault = std::get_if<ProfileFault>(&chosen)) {
    Complain(L"No setting was loaded from " + path + L": " +
             (fault->line ? L"line " + std::to_wstring(fault->line) + L": " : L"") + fault->fault +
             L".");
    return 2;
  }
  int stored = 0, failed = 0;
  for (const Form1::Choice& choice : std::get<std::vector<Form1::Choice>>(chosen)) {
    for (std::size_t i = 0; i < choice.numbers.size(); ++i) {
      const Setting setting = choice.binding->settings[i];
      const LONG status = WriteSetting(registry, setting,
                                       SettingValue(static_cast<std::int32_t>(choice.numbers[i])));
      if (status == ERROR_SUCCESS) {
        ++stored;
        continue;
      }
      ++failed;
      const std::string name = Info(setting).name;
      Complain(L"Could not store " + std::wstring(name.begin(), name.end()) + L" (error " +
               std::to_wstring(status) + L").");
    }
  }
  Say(L"Stored " + std::to_wstring(stored) + L" settings from " + path + L".");
  return failed ? 1 : 0;
}

}  // namespace

int RunCommandLine(const std::vector<std::wstring>& arguments) {
  if (arguments.size() == 1 && arguments[0] == L"/?") {
    Say(kUsage);
    return 0;
  }
  if (arguments.size() == 2 && _wcsicmp(arguments[0].c_str(), L"/save") == 0) {
    return Save(arguments[1]);
  }
  if (arguments.size() == 2 && _wcsicmp(arguments[0].c_str(), L"/load") == 0) {
    return Load(arguments[1]);
  }
  std::wstring given;
  for (const auto& argument : arguments) given += L" " + argument;
  Complain(L"Arguments not understood:" + given + L"\r\n\r\n" + kUsage);
  return 2;
}

}  // namespace calvane
