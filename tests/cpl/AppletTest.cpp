// The Control Panel applet loaded in-process, driven through CPlApplet as
// Control Panel drives it, with the panel built beside it.
#include <windows.h>

#include <cpl.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/support/Registration.h"

namespace calvane::test {
namespace {

// The build folder: the test program's folder's parent.
std::wstring Built(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  folder.erase(folder.find_last_of(L'\\'));
  return folder.erase(folder.find_last_of(L'\\') + 1) + name;
}

struct Applet {
  HMODULE module;
  explicit Applet(const std::wstring& path, DWORD flags = 0) : module(LoadLibraryExW(path.c_str(), nullptr, flags)) {}
  ~Applet() { FreeLibrary(module); }
  LONG operator()(UINT message, LPARAM data = 0) const {
    using Entry = LONG(APIENTRY*)(HWND, UINT, LPARAM, LPARAM);
    const auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "CPlApplet")));
    return entry ? entry(nullptr, message, 0, data) : -1;
  }
};

std::wstring Text(HMODULE module, UINT id) {
  const wchar_t* text = nullptr;
  return std::wstring(text, LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0));
}

// The bytes of the image a module's icon `id` gives at `size` pixels.
std::string IconImage(HMODULE module, UINT id, int size) {
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  if (!group) return "no icon";
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  HRSRC icon = FindResourceW(module, MAKEINTRESOURCEW(LookupIconIdFromDirectoryEx(directory, TRUE, size, size, 0)),
                             MAKEINTRESOURCEW(3));  // RT_ICON
  return std::string(static_cast<const char*>(LockResource(LoadResource(module, icon))), SizeofResource(module, icon));
}

TEST(Applet, InquiredItGivesThePanelsNameDescriptionAndIcon) {
  const Applet applet(Built(L"calvane.cpl"));
  EXPECT_NE(applet(CPL_INIT), 0);
  EXPECT_EQ(applet(CPL_GETCOUNT), 1);
  CPLINFO info{};
  EXPECT_EQ(applet(CPL_INQUIRE, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(Text(applet.module, info.idName), L"Calvane Control Panel");
  EXPECT_EQ(Text(applet.module, info.idInfo), L"Changes the settings of the AU8830 sound driver and its A3D splash.");
  const Applet panel(Built(L"calvane-panel.exe"), LOAD_LIBRARY_AS_DATAFILE);
  for (int size : {16, 32, 48})
    EXPECT_EQ(IconImage(applet.module, info.idIcon, size), IconImage(panel.module, 1, size));
  EXPECT_EQ(applet(CPL_EXIT), 0);
}

// Double-clicked twice: the panel's window opens, once.
TEST(Applet, DoubleClickedItOpensThePanelOnce) {
  DriverKeys keys;
  const Applet applet(Built(L"calvane.cpl"));
  ASSERT_NE(applet(CPL_INIT), 0);
  EXPECT_EQ(applet(CPL_DBLCLK), 0);
  HWND window = nullptr;
  for (int i = 0; i < 300 && !(window && IsWindowVisible(window)); ++i)
    Sleep(50), window = FindWindowW(L"CalvaneForm1", nullptr);
  ASSERT_TRUE(window) << "no window";
  EXPECT_EQ(applet(CPL_DBLCLK), 0);
  for (int i = 0; i < 40 && !FindWindowExW(nullptr, window, L"CalvaneForm1", nullptr); ++i) Sleep(50);
  EXPECT_EQ(FindWindowExW(nullptr, window, L"CalvaneForm1", nullptr), nullptr) << "two windows";
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  const HANDLE panel = OpenProcess(SYNCHRONIZE, FALSE, id);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(panel, 20000), WAIT_OBJECT_0);
  CloseHandle(panel);
}

// An applet with no panel beside it says so, with the path and the reason.
TEST(Applet, WithoutThePanelItSaysSo) {
  wchar_t temp[MAX_PATH];
  const std::wstring alone = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"calvane.cpl";
  ASSERT_TRUE(CopyFileW(Built(L"calvane.cpl").c_str(), alone.c_str(), FALSE));
  {
    const Applet applet(alone);
    LONG result = 0;
    std::thread click([&] { result = applet(CPL_DBLCLK); });
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i) Sleep(50), box = FindWindowW(L"#32770", L"Calvane Control Panel");
    wchar_t text[1024] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    click.join();
    EXPECT_EQ(std::wstring(text), L"The Calvane Control Panel could not be started from\r\n" + std::wstring(temp) +
                                      L"calvane-panel.exe\r\n\r\nFile not found. (error 2)");
    EXPECT_NE(result, 0);
  }
  DeleteFileW(alone.c_str());
}

}  // namespace
}  // namespace calvane::test
