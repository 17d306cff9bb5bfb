// The window on a live system: values another program stores show at once,
// quietly, and a second start brings the open window forward. The other
// program is Wine's own reg.exe, in a process of its own, so that the
// registry's change notifications are real.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/support/FailingStore.h"
#include "tests/support/Registration.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

const std::wstring kService = L"HKLM\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\";

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Process = std::unique_ptr<void, HandleCloser>;

// A program started with nothing to print to.
Process Start(std::wstring command) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const Process nul(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = nul.get();
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
    return nullptr;
  CloseHandle(info.hThread);
  return Process(info.hProcess);
}

// Runs another program to its end.
void Reg(const std::wstring& command) {
  const Process process = Start(command);
  ASSERT_TRUE(process && WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0) << "reg.exe did not run";
}

// Delivers the window's messages until `shown` holds, at most a second
// after the other program has ended.
bool Within(WindowDriver& panel, const std::function<bool()>& shown) {
  for (int i = 0; i < 50; ++i, Sleep(20)) {
    panel.Pump();
    if (shown()) return true;
  }
  return false;
}

TEST(Live, ValuesAnotherProgramStoresShowWithinASecondAndNothingIsWritten) {
  DriverKeys keys;
  SystemRegistry system;
  FailingStore store(system);
  WindowDriver panel(&store);
  // The user chooses a rate; the window shows it chosen.
  panel.ClickTab(4), panel.Click("&32 kHz");
  store.writes.clear();
  // A text, kept a text; a state no check box shows; a rate no button has:
  // the group shows none chosen, its label the stored rate.
  Reg(L"reg add " + kService + L"ControlPanel /v ReverbAmount /t REG_SZ /d 5 /f");
  Reg(L"reg add " + kService + L"Customization /v CorrectLA2 /t REG_DWORD /d 7 /f");
  Reg(L"reg add " + kService + L"Customization /v SpdifFrequency /t REG_DWORD /d 22050 /f");
  EXPECT_TRUE(Within(panel, [&] {
    return panel.Look("hsbEffect1") + panel.Look("lblEffect1") + panel.Look("chkLA2Inv") + panel.Look("&32 kHz") +
               panel.Look("lblDigOut") ==
           L"55" L"0" L"0" L"22050";
  })) << "not shown";
  EXPECT_EQ(Values("ControlPanel\\ReverbAmount Customization\\CorrectLA2"),
            "ControlPanel\\ReverbAmount=\"5\"\nCustomization\\CorrectLA2=dword:00000007\n");
  // The A3D key, in the 32-bit view, deleted and made again.
  Reg(L"reg delete HKLM\\Software\\Zedave\\A3D /f /reg:32");
  EXPECT_TRUE(Within(panel, [&] { return panel.Look("chkPlayA3D") == L"0"; })) << "deleted key not shown";
  Reg(L"reg add HKLM\\Software\\Zedave\\A3D /v SplashScreen /t REG_DWORD /d 2 /f /reg:32");
  EXPECT_TRUE(Within(panel, [&] { return panel.Look("chkA3DSplash") == L"2"; })) << "new key not shown";
  // While a list is open the window waits; once it closes it shows what is
  // stored.
  panel.ClickTab(4), panel.Click("cboAnalogEQ");
  Reg(L"reg add " + kService + L"Customization /v SupportAnalogEQ /t REG_DWORD /d 2 /f");
  EXPECT_FALSE(Within(panel, [&] { return panel.Look("cboAnalogEQ").empty(); })) << "changed under the open list";
  panel.Key(VK_ESCAPE);
  EXPECT_TRUE(Within(panel, [&] { return panel.Look("cboAnalogEQ").empty(); }));
  EXPECT_EQ(store.writes, std::vector<std::string>{});
}

// The panel beside the test program, started without arguments while one
// is open: the second ends at once and the first is in front.
TEST(Live, ASecondStartBringsTheOpenWindowForwardAndEnds) {
  DriverKeys keys;
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring exe = self;
  exe = exe.substr(0, exe.rfind(L'\\', exe.rfind(L'\\') - 1)) + L"\\calvane-panel.exe";
  const Process first = Start(L"\"" + exe + L"\"");
  HWND window = nullptr;
  DWORD owner = 0;
  for (int i = 0; i < 300 && !(window && IsWindowVisible(window) && owner == GetProcessId(first.get())); ++i)
    Sleep(50), window = FindWindowW(L"CalvaneForm1", nullptr), GetWindowThreadProcessId(window, &owner);
  ASSERT_TRUE(window && owner == GetProcessId(first.get())) << "the first window did not open";
  SetForegroundWindow(GetDesktopWindow());
  const Process second = Start(L"\"" + exe + L"\"");
  DWORD status = 1;
  EXPECT_EQ(WaitForSingleObject(second.get(), 20000), WAIT_OBJECT_0);
  GetExitCodeProcess(second.get(), &status);
  EXPECT_EQ(status, 0u);
  for (int i = 0; i < 40 && GetForegroundWindow() != window; ++i) Sleep(50);
  EXPECT_EQ(GetForegroundWindow(), window);
  EXPECT_EQ(FindWindowExW(nullptr, window, L"CalvaneForm1", nullptr), nullptr) << "two windows";
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(first.get(), 20000), WAIT_OBJECT_0);
}

}  // namespace
}  // namespace calvane::test
