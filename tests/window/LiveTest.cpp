// The window on a live system: values another program stores show at once,
// quietly, and a second start brings the open window forward. The other
// program is Wine's own reg.exe, in a process of its own, so that the
// registry's change notifications are real.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "platform/UniqueHandle.h"
#include "tests/support/FailingStore.h"
#include "tests/support/Registration.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

const std::wstring kService = L"HKLM\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\";

using Process = UniqueHandle;

// A program started with what it prints going to `output` (by default
// nowhere).
Process Start(std::wstring command, const wchar_t* output = L"NUL") {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const Process nul(CreateFileW(output, GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, 0, nullptr));
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
  // Every page seen once; the user chooses a rate, which the window shows.
  for (int page : {1, 2, 3, 0, 4}) panel.ClickTab(page);
  panel.Click("&32 kHz");
  store.writes.clear();
  // A text, kept a text; a state no check box shows; a rate no button has:
  // the group shows none chosen, its label the stored rate.
  Reg(L"reg add " + kService + L"ControlPanel /v ReverbAmount /t REG_SZ /d 5 /f");
  Reg(L"reg add " + kService + L"Customization /v CorrectLA2 /t REG_DWORD /d 7 /f");
  Reg(L"reg add " + kService + L"Customization /v SpdifFrequency /t REG_DWORD /d 22050 /f");
  EXPECT_TRUE(Within(panel, [&] {
    return panel.Look("hsbEffect1") + panel.Look("lblEffect1") + panel.Look("chkLA2Inv") + panel.Look("&32 kHz") +
               panel.Look("lblDigOut") ==
           L"55"
           L"0"
           L"0"
           L"22050";
  })) << "not shown";
  EXPECT_EQ(Values("ControlPanel\\ReverbAmount Customization\\CorrectLA2"),
            "ControlPanel\\ReverbAmount=\"5\"\nCustomization\\CorrectLA2=dword:00000007\n");
  // The same key changed again: the watch goes on after the first.
  Reg(L"reg add " + kService + L"Customization /v CorrectLA2 /t REG_DWORD /d 1 /f");
  EXPECT_TRUE(Within(panel, [&] { return panel.Look("chkLA2Inv") == L"1"; })) << "second change not shown";
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
  // Undo leaves the rate the other program stored over the user's, and says
  // so once.
  panel.boxes().shown.clear();
  panel.form().menu().Undo();
  ASSERT_EQ(panel.boxes().shown.size(), 1u);
  EXPECT_EQ(panel.boxes().shown[0].title + L": " + panel.boxes().shown[0].text,
            L"Undo All Changes: Another program has changed these settings since the panel did, so the undo left "
            L"them as they are:\r\n    Output Rate (SpdifFrequency)\r\n");
  EXPECT_EQ(store.writes, std::vector<std::string>{});
}

// Message boxes that let another program change a value while the
// start-up's notice is open.
struct ChangingBoxes final : MessageBoxes {
  std::function<void()> meanwhile;
  int shown = 0;
  void Show(HWND, const std::wstring&, const std::wstring&, UINT) override {
    ++shown;
    if (meanwhile) meanwhile();
  }
};

// The messages the window gets in `ms` with nothing happening.
int MessagesWhileIdle(HWND form, DWORD ms) {
  int count = 0;
  for (DWORD start = GetTickCount(), now; (now = GetTickCount()) - start < ms;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - (now - start), QS_ALLINPUT);
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); DispatchMessageW(&msg))
      count += msg.hwnd == form || IsChild(form, msg.hwnd);
  }
  return count;
}

// A value another program changes while the start-up's notice is open, or
// just after it is closed, shows once the window is up and is what Save
// writes; and a window with nothing to do gets no messages.
TEST(Live, AChangeDuringTheStartUpShowsAndIsSavedAndAnIdleWindowSleeps) {
  const std::string file = std::string(std::getenv("TEMP")) + "\\calvane-live.reg";
  for (bool duringNotice : {true, false}) {
    SCOPED_TRACE(duringNotice ? "during the notice" : "after it");
    DriverKeys keys;
    LockKey("Customization");
    const auto change = [] { Reg(L"reg add " + kService + L"ControlPanel /v PrimaryXtalk /t REG_DWORD /d 2 /f"); };
    ChangingBoxes boxes;
    if (duringNotice) boxes.meanwhile = change;
    WindowDriver panel(nullptr, &boxes);
    EXPECT_EQ(boxes.shown, 1);
    if (!duringNotice) change();
    panel.ClickTab(2);
    EXPECT_TRUE(Within(panel, [&] { return panel.Look("cboA3DType") == L"Monitor Speakers"; }));
    panel.form().menu().Save(std::wstring(file.begin(), file.end()));
    std::ifstream saved(file, std::ios::binary);
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(saved), {}).find("\"PrimaryXtalk\"=dword:00000002"),
              std::string::npos);
    if (!duringNotice) {
      EXPECT_EQ(MessagesWhileIdle(panel.form().hwnd(), 1500), 0);
    }
  }
}

// The panel beside the test program.
std::wstring Panel() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring exe = self;
  return L"\"" + exe.substr(0, exe.rfind(L'\\', exe.rfind(L'\\') - 1)) + L"\\calvane-panel.exe\"";
}

// The panel with arguments: its exit status, and what it printed.
DWORD RunPanel(const std::wstring& arguments, std::string& printed) {
  const std::string out = std::string(std::getenv("TEMP")) + "\\calvane-printed.txt";
  const Process process = Start(Panel() + L" " + arguments, std::wstring(out.begin(), out.end()).c_str());
  DWORD status = 99;
  if (!process || WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) return status;
  GetExitCodeProcess(process.get(), &status);
  std::ifstream file(out, std::ios::binary);
  printed.assign(std::istreambuf_iterator<char>(file), {});
  return status;
}

// /save, which stores nothing, writes what the window's Save writes after
// its start-up has stored what it rewrites and creates; /load of a file one
// of whose values cannot be stored stores none of them.
TEST(Live, TheCommandLineSavesWhatTheWindowSavesAndLoadsAFileWholeOrNotAtAll) {
  const std::string cp = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\ControlPanel]\n",
                    cu = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization]\n";
  DriverKeys keys(kFreshInstall + cu + "\"SetGPIO0InQuad\"=-\n\"SupportAnalogEQ\"=\"1\"\n" + cp +
                  "\"ChorusAmount\"=\"x\"\n");
  const std::string stored = Dump(), temp = std::getenv("TEMP"), line = temp + "\\line.reg", menu = temp + "\\menu.reg";
  std::string printed;
  EXPECT_EQ(RunPanel(L"/save " + std::wstring(line.begin(), line.end()), printed), 0u) << printed;
  EXPECT_EQ(Dump(), stored);
  {
    WindowDriver panel;
    panel.form().menu().Save(std::wstring(menu.begin(), menu.end()));
  }
  std::ifstream fromLine(line, std::ios::binary), fromMenu(menu, std::ios::binary);
  const std::string saved{std::istreambuf_iterator<char>(fromLine), {}};
  EXPECT_EQ(saved, std::string(std::istreambuf_iterator<char>(fromMenu), {}));
  EXPECT_NE(saved.find("\"SetGPIO0InQuad\"=dword:00000000"), std::string::npos);
  const std::string before = Dump();
  LockKey("Customization");
  std::ofstream(line, std::ios::binary) << "REGEDIT4\n" + cp + "\"ReverbAmount\"=dword:5\n" + cu +
                                               "\"AC97PCMOutVol\"=dword:3\n";
  EXPECT_EQ(RunPanel(L"/load " + std::wstring(line.begin(), line.end()), printed), 1u);
  EXPECT_NE(printed.find("could not be saved, so nothing was changed:\r\n    PCM 1 Out Level (AC97PCMOutVol)"),
            std::string::npos)
      << printed;
  EXPECT_EQ(Dump(), before);
}

// The panel started without arguments while one is open: the second ends at
// once and the first is in front.
TEST(Live, ASecondStartBringsTheOpenWindowForwardAndEnds) {
  DriverKeys keys;
  const std::wstring exe = Panel();
  const Process first = Start(exe);
  HWND window = nullptr;
  DWORD owner = 0;
  for (int i = 0; i < 300 && !(window && IsWindowVisible(window) && owner == GetProcessId(first.get())); ++i)
    Sleep(50), window = FindWindowW(L"CalvaneForm1", nullptr), GetWindowThreadProcessId(window, &owner);
  ASSERT_TRUE(window && owner == GetProcessId(first.get())) << "the first window did not open";
  SetForegroundWindow(GetDesktopWindow());
  const Process second = Start(exe);
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
