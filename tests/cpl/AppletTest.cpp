// The Control Panel applet loaded in-process, driven through CPlApplet as
// Control Panel drives it, with the panel built beside it.
#include <windows.h>

#include <cpl.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>
#include <thread>

#include "tests/support/Registration.h"

namespace calvane::test {
namespace {

using Entry = LONG(APIENTRY*)(HWND, UINT, LPARAM, LPARAM);

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.erase(folder.find_last_of(L'\\'));
  return folder.substr(0, folder.find_last_of(L'\\') + 1);  // the test's folder's parent
}

struct Applet {
  HMODULE module;
  Entry entry;
  explicit Applet(const std::wstring& path)
      : module(LoadLibraryW(path.c_str())),
        entry(reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "CPlApplet")))) {}
  ~Applet() { FreeLibrary(module); }
  LONG operator()(UINT message, LPARAM data = 0) const { return entry(nullptr, message, 0, data); }
};

std::wstring Text(HMODULE module, UINT id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
  return std::wstring(text, length);
}

// The bytes of the icon image a module's icon `id` gives at `size` pixels.
std::string IconImage(HMODULE module, UINT id, int size) {
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  if (!group) return "no icon";
  const int image =
      LookupIconIdFromDirectoryEx(static_cast<BYTE*>(LockResource(LoadResource(module, group))), TRUE, size, size, 0);
  HRSRC icon = FindResourceW(module, MAKEINTRESOURCEW(image), MAKEINTRESOURCEW(3));  // RT_ICON
  return std::string(static_cast<const char*>(LockResource(LoadResource(module, icon))), SizeofResource(module, icon));
}

int Panels() {
  int count = 0;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    count += _wcsicmp(entry.szExeFile, L"calvane-panel.exe") == 0;
  CloseHandle(snapshot);
  return count;
}

TEST(Applet, InquiredItGivesThePanelsNameDescriptionAndIcon) {
  const Applet applet(BuildFolder() + L"calvane.cpl");
  ASSERT_TRUE(applet.entry);
  EXPECT_NE(applet(CPL_INIT), 0);
  EXPECT_EQ(applet(CPL_GETCOUNT), 1);
  CPLINFO info{};
  EXPECT_EQ(applet(CPL_INQUIRE, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(Text(applet.module, info.idName), L"Calvane Control Panel");
  EXPECT_EQ(Text(applet.module, info.idInfo), L"Changes the settings of the AU8830 sound driver and its A3D splash.");
  const HMODULE panel =
      LoadLibraryExW((BuildFolder() + L"calvane-panel.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  for (int size : {16, 32, 48}) {
    EXPECT_EQ(IconImage(applet.module, info.idIcon, size), IconImage(panel, 1, size)) << size;
  }
  FreeLibrary(panel);
  EXPECT_EQ(applet(CPL_EXIT), 0);
}

// Double-clicked twice: the panel's window opens once.
TEST(Applet, DoubleClickedItOpensThePanelOnce) {
  DriverKeys keys;
  const Applet applet(BuildFolder() + L"calvane.cpl");
  ASSERT_NE(applet(CPL_INIT), 0);
  EXPECT_EQ(applet(CPL_DBLCLK), 0);
  HWND window = nullptr;
  for (int i = 0; i < 300 && !(window && IsWindowVisible(window)); ++i)
    Sleep(50), window = FindWindowW(L"CalvaneForm1", nullptr);
  ASSERT_TRUE(window) << "no window";
  EXPECT_EQ(applet(CPL_DBLCLK), 0);
  Sleep(200);
  for (int i = 0; i < 200 && Panels() > 1; ++i) Sleep(50);
  EXPECT_EQ(Panels(), 1);
  EXPECT_EQ(FindWindowExW(nullptr, window, L"CalvaneForm1", nullptr), nullptr) << "two windows";
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  const HANDLE panel = OpenProcess(SYNCHRONIZE, FALSE, id);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(panel, 20000), WAIT_OBJECT_0);
  CloseHandle(panel);
  applet(CPL_EXIT);
}

// An applet with no panel beside it says so, with the path and the reason.
TEST(Applet, WithoutThePanelItSaysSo) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"applet-alone\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW((BuildFolder() + L"calvane.cpl").c_str(), (folder + L"calvane.cpl").c_str(), FALSE));
  {
    const Applet applet(folder + L"calvane.cpl");
    LONG result = 0;
    std::thread click([&] { result = applet(CPL_DBLCLK); });
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i) Sleep(50), box = FindWindowW(L"#32770", L"Calvane Control Panel");
    wchar_t text[1024] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    click.join();
    ASSERT_TRUE(box) << "nothing said";
    EXPECT_EQ(std::wstring(text), L"The Calvane Control Panel could not be started from\r\n" + folder +
                                      L"calvane-panel.exe\r\n\r\nFile not found. (error 2)");
    EXPECT_NE(result, 0);
  }
  DeleteFileW((folder + L"calvane.cpl").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace calvane::test
