// Starting the panel from its own folder, for the Control Panel applet and
// the installer's settings action alike, and the system's error texts.
#pragma once

#include <windows.h>

#include <string>

#include "platform/UniqueHandle.h"

namespace calvane {

// The full path of a file in the folder `module` was loaded from.
std::wstring BesideModule(HMODULE module, const wchar_t* name);

// Starts `program` by its full path, never through the search path, with
// that path quoted first on its command line and `arguments` after it. With
// `output` the program's standard output and error go there. Gives the
// process, or no process and the system's error code.
struct Started {
  UniqueHandle process;
  DWORD error = 0;
};
Started Start(const std::wstring& program, const std::wstring& arguments, HANDLE output = nullptr);

}  // namespace calvane
