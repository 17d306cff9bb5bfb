// The installer's settings action, calvane-setup.dll (kept in the package,
// never installed): stores a site's settings file, the SETTINGS property,
// with the installed panel's /load, and tells the installer what it said.
// The panel's exit status decides: 0 (all stored) and 4 (a key the machine
// lacks skipped, the rest stored) let the installation go on; anything else
// (the file refused, or nothing of it stored) fails it, and the installer
// rolls the installation back.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>
#include <vector>

#include "cpl/Launch.h"
#include "platform/SystemText.h"

namespace {

struct Record {
  MSIHANDLE handle;
  explicit Record(unsigned fields) : handle(MsiCreateRecord(fields)) {}
  ~Record() { MsiCloseHandle(handle); }
  Record(const Record&) = delete;
  Record& operator=(const Record&) = delete;
};

// A message for the installer's log, or for the user as well (an error shows
// a box in a full user interface). The text goes in a field of its own, so
// that brackets in it are not read as the installer's formatting.
void Tell(MSIHANDLE install, INSTALLMESSAGE kind, const std::wstring& text) {
  Record record(1);
  MsiRecordSetStringW(record.handle, 0, L"[1]");
  MsiRecordSetStringW(record.handle, 1, text.c_str());
  MsiProcessMessage(install, kind, record.handle);
}

std::wstring Property(MSIHANDLE install, const wchar_t* name) {
  DWORD size = 0;
  wchar_t none[1] = L"";
  if (MsiGetPropertyW(install, name, none, &size) != ERROR_MORE_DATA) return L"";
  std::vector<wchar_t> value(++size);
  if (MsiGetPropertyW(install, name, value.data(), &size) != ERROR_SUCCESS) return L"";
  return std::wstring(value.data(), size);
}

// What the panel printed, in the system's code page, read to its end.
std::wstring ReadAll(HANDLE pipe) {
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(pipe, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  while (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n')) bytes.pop_back();
  const int size = static_cast<int>(bytes.size());
  std::wstring text(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), static_cast<int>(text.size()));
  return text;
}

constexpr DWORD kStored = 0, kKeysSkipped = 4;

}  // namespace

// CustomActionData: the installed panel's path, "|", the settings file's.
// Neither can hold a "|".
extern "C" __declspec(dllexport) UINT __stdcall LoadSiteSettings(MSIHANDLE install) {
  const std::wstring data = Property(install, L"CustomActionData");
  const std::size_t bar = data.find(L'|');
  const std::wstring panel = data.substr(0, bar);
  const std::wstring file = bar == std::wstring::npos ? L"" : data.substr(bar + 1);
  // Said as an error (a box in a full user interface), and the installation
  // rolled back.
  const auto fail = [&](const std::wstring& why) {
    Tell(install, static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR),
         L"The settings file " + file +
             L" was not applied, so Calvane Control Panel was not installed.\r\n" + why);
    return ERROR_INSTALL_FAILURE;
  };

  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE reading = nullptr, writing = nullptr;
  if (!CreatePipe(&reading, &writing, &inherited, 0))
    return fail(calvane::SystemText(GetLastError()));
  const calvane::UniqueHandle output(reading);
  calvane::UniqueHandle input(writing);
  SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);

  const calvane::Started started = calvane::Start(panel, L"/load \"" + file + L"\"", writing);
  input.reset();
  if (started.error) {
    return fail(L"The panel " + panel + L" could not be started: " +
                calvane::SystemText(started.error));
  }
  const std::wstring said = ReadAll(output.get());
  DWORD status = 0;
  WaitForSingleObject(started.process.get(), INFINITE);
  GetExitCodeProcess(started.process.get(), &status);

  Tell(install, INSTALLMESSAGE_INFO,
       L"Calvane Control Panel: " + panel + L" /load \"" + file + L"\" ended with exit status " +
           calvane::Decimal(status) + L":\r\n" + said);
  if (status == kStored || status == kKeysSkipped) return ERROR_SUCCESS;
  return fail(said);
}
