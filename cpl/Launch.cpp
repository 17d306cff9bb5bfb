#include "cpl/Launch.h"

#include <vector>

namespace calvane {

std::wstring BesideModule(HMODULE module, const wchar_t* name) {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      std::wstring folder(path.data(), length);
      folder.erase(folder.find_last_of(L"\\/") + 1);
      return folder + name;
    }
    path.resize(path.size() * 2);
  }
}

Started Start(const std::wstring& program, const std::wstring& arguments, HANDLE output) {
  std::wstring line = L"\"" + program + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (output) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
  }
  PROCESS_INFORMATION process{};
  Started started;
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                      nullptr, &startup, &process)) {
    started.error = GetLastError();
    return started;
  }
  CloseHandle(process.hThread);
  started.process.reset(process.hProcess);
  return started;
}

}  // namespace calvane
