// Windows XP has no GetTickCount64, yet the thread library that the C++
// runtime links in imports it (for timed waits, which the panel never makes).
// Defining the import's pointer here satisfies that reference inside the
// program, so the 32-bit build keeps to functions that Windows XP offers.
#include <windows.h>

namespace {

ULONGLONG WINAPI TickCount64() {
  // Milliseconds since start-up, carried past the 49.7-day wrap of the
  // 32-bit count. The panel has a single thread.
  static DWORD last = 0;
  static ULONGLONG wraps = 0;
  const DWORD now = GetTickCount();
  if (now < last) ++wraps;
  last = now;
  return (wraps << 32) | now;
}

}  // namespace

#ifdef _WIN64
#define IMPORT_NAME "__imp_GetTickCount64"
#else
#define IMPORT_NAME "__imp__GetTickCount64@0"
#endif
extern "C" ULONGLONG(WINAPI* const kGetTickCount64)() __asm__(IMPORT_NAME);
extern "C" ULONGLONG(WINAPI* const kGetTickCount64)() = TickCount64;
