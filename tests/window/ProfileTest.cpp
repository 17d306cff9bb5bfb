// Profiles, the undo and the tooltips: the window menu's commands on the real
// window, files made here as registry editors make them, and the registry
// read back with the tests' own reader.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/Registration.h"
#include "tests/support/WindowDriver.h"

namespace calvane::test {
namespace {

const std::string kCP = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\ControlPanel]",
                  kCu = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization]",
                  kA3D = "[HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D]";

// The window menu's command of that caption, as the user picks it.
void Pick(WindowDriver& panel, const wchar_t* caption) {
  HMENU menu = GetSystemMenu(panel.form().hwnd(), FALSE);
  panel.Deliver(panel.form().hwnd(), WM_INITMENUPOPUP, WPARAM(menu), MAKELPARAM(0, TRUE));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = L"";
    GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    if (std::wstring_view(text) != caption) continue;
    if (GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) return;
    return panel.Deliver(panel.form().hwnd(), WM_SYSCOMMAND, GetMenuItemID(menu, i), 0);
  }
  ADD_FAILURE() << "no menu item " << std::string(caption, caption + wcslen(caption));
}

// The file that the file dialog answers with, in the temporary folder.
const std::string kFile = std::string(std::getenv("TEMP")) + "\\calvane-profile.reg";

// Loads a file of these bytes through the menu; the notice it gives, if any.
std::wstring Load(WindowDriver& panel, const std::string& bytes) {
  std::ofstream(kFile, std::ios::binary) << bytes;
  panel.boxes().file.assign(kFile.begin(), kFile.end());
  const std::size_t before = panel.boxes().shown.size();
  Pick(panel, L"&Load Settings...");
  return panel.boxes().shown.size() > before ? panel.boxes().shown.back().text : L"";
}

TEST(Profiles, SavedSettingsLoadBackIntoTheRegistryAndTheWindow) {
  DriverKeys keys(kFreshInstall + kCP + "\n\"ChorusAmount\"=\"x\"\n");
  WindowDriver panel;
  panel.boxes().file.assign(kFile.begin(), kFile.end());
  Pick(panel, L"&Save Settings As...");
  // The numbers shown, each as dword (those changed below the load holds);
  // the chorus amount that none shows left out.
  std::ifstream file(kFile, std::ios::binary);
  const std::string saved{std::istreambuf_iterator<char>(file), {}};
  for (const char* line : {"REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM", "\"ReverbAmount\"=dword:00000040\r\n",
                           "\"SpdifFrequency\"=dword:0000bb80\r\n", "\"SplashAudio\"=dword:00000001\r\n"})
    EXPECT_NE(saved.find(line), std::string::npos) << line;
  EXPECT_EQ(saved.find("ChorusAmount"), std::string::npos);
  std::string stored = Dump();
  panel.ClickTab(1), panel.Choose("cboWavetableMode", L"64 Voices");
  panel.ClickTab(3), panel.Click("chkShare"), SetFocus(panel.Hwnd("hsbRear")), panel.Key(VK_END);
  panel.ClickTab(4), panel.Choose("cboAnalogEQ", L"Video");
  EXPECT_EQ(Load(panel, saved), L"");
  // Back as they were, the rear level, voice mode and EQ too; the rate,
  // stored as text, is chosen and so a dword now.
  stored.replace(stored.find("SpdifFrequency=\"48000\""), 22, "SpdifFrequency=dword:0000bb80");
  EXPECT_EQ(Dump(), stored);
  EXPECT_EQ(panel.Look("4&8 kHz") + panel.Look("cboWavetableMode") + panel.Look("chkShare") + panel.Look("lblRear") +
                panel.Look("cboAnalogEQ"),
            L"1320 Voices08None");
}

TEST(Profiles, UndoPutsBackWhatEachChangedValueHeldWhenTheWindowWasShown) {
  DriverKeys keys(kFreshInstall + kCP + "\n\"QuadCodecOutputModeState\"=hex(4):00,00\n");
  WindowDriver panel;
  const std::string shown = Dump();
  Pick(panel, L"&Undo All Changes");  // grayed: nothing changed
  for (int round = 0; round < 2; ++round) {
    panel.ClickTab(0), panel.Click("chkA3DSplash"), panel.Click("chkPlayA3D");
    panel.ClickTab(1), panel.Choose("cboWavetableMode", L"128 Voices"), panel.AltKey(L'1');
    panel.Key(VK_HOME), panel.ClickTab(2), panel.Click("&Quad");
    panel.ClickTab(4), panel.Click("&32 kHz"), panel.Click("chkDetOut");
    EXPECT_NE(Dump(), shown);
    Pick(panel, L"&Undo All Changes");
    // The two-byte dword, the text rate and the numbers as they were.
    EXPECT_EQ(Dump(), shown);
    std::wstring looks;
    for (const char* name : {"chkA3DSplash", "chkPlayA3D", "cboWavetableMode", "hsbEffect1", "lblEffect1", "lblQuad",
                             "lblDigOut", "chkDetOut", "chkEnOut", "&Quad", "&32 kHz"})
      looks += panel.Look(name) + L"|";
    EXPECT_EQ(looks, L"1|1|320 Voices|64|64|Stereo|48000|1|1|0|0|");
  }
}

// Every setting at each end of its range loads, and just beyond it is
// refused; so is every fault of a file, naming its line, and nothing is
// written then.
TEST(Profiles, FilesWithinTheRangesLoadAndAnyOtherIsRefusedWhole) {
  DriverKeys keys;
  WindowDriver panel;
  const auto value = [](const std::string& key, const char* name, unsigned n) {
    char line[200];
    std::snprintf(line, sizeof line, "%s\r\n\"%s\"=dword:%08x\r\n", key.c_str(), name, n);
    return std::string(line);
  };
  // clang-format off
  struct Range { const std::string& key; const char* name; unsigned low, high; };
  const Range ranges[] = {
      {kCP, "ZuvivWavetableEffect", 0, 2}, {kCP, "ReverbAmount", 0, 127}, {kCP, "ChorusAmount", 0, 127},
      {kCP, "QuadCodecOutputModeState", 0, 1}, {kCP, "PrimaryXtalk", 0, 2}, {kCu, "AC97PCMOutVol", 0, 31},
      {kCu, "AC97PCM2OutVol", 0, 31}, {kCu, "AC97MixerFrontOutVol", 0, 31}, {kCu, "AC97MixerRearOutVol", 0, 31},
      {kCu, "SpdifFrequency", 32000, 48000}, {kCu, "DisableAC97Codec3DEffect", 0, 2}, {kCu, "ST9704ATTEN", 0, 2},
      {kCu, "CorrectLA2", 0, 2}, {kCu, "ST9708LA4RearInversion", 0, 2}, {kCu, "SetGPIO0InQuad", 0, 2},
      {kCu, "DetectSpdifOut", 0, 2}, {kCu, "DetectSpdifIn", 0, 2}, {kCu, "EnableSpdifOut", 0, 2},
      {kCu, "EnableSpdifIn", 0, 2}, {kA3D, "SplashAudio", 0, 2}, {kA3D, "SplashScreen", 0, 2},
      // Lists: their first and last items' rows, then a row of none.
      {kCP, "GamerMode", 1, 0}, {kCP, "SoftSynthVoices", 256, 0}, {kCP, "SoftSynthMode", 3, 0},
      {kCP, "SoftSynthModeIndex", 0, 2}, {kCP, "SoftSynth", 2, 0}, {kCu, "SupportAnalogEQ", 0, 1},
      {kCP, "AnalogEQSrcLine", 3, 5}, {kCP, "AnalogEQEnableState", 0, 1}};
  // clang-format on
  for (bool top : {true, false, true}) {
    std::string file = "REGEDIT4\r\n";
    for (const auto& [key, name, low, high] : ranges) file += value(key, name, top ? high : low);
    EXPECT_EQ(Load(panel, file), L"") << top;
    const std::string dump = Dump();
    for (const auto& [key, name, low, high] : ranges) {
      char line[80];
      std::snprintf(line, sizeof line, "\\%s=dword:%08x\n", name, top ? high : low);
      EXPECT_NE(dump.find(line), std::string::npos) << line;
    }
  }
  const std::string before = Dump();
  for (const auto& [key, name, low, high] : ranges)
    EXPECT_NE(Load(panel, "REGEDIT4\r\n" + value(key, name, std::max(high, low) + 1)).find(L"Line 3: "),
              std::wstring::npos)
        << name;
  std::u16string wide =
      u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D]\r\n \"splashaudio\"=dword:00000001\r\n";
  const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * 2), r4 = "REGEDIT4\r\n";
  // A file's bytes, and what the notice must say of it.
  // clang-format off
  const std::pair<std::string, const wchar_t*> refused[] = {
      {"", L"Line 1: the file is empty"},
      {r4 + value(kCu, "AC97PCMOutVol", 32), L"Line 3: \"PCM 1 Out Level\" cannot show the number 32"},
      {r4 + value(kCu, "SpdifFrequency", 44101), L"Line 3: \"Output Rate\" cannot show the number 44101"},
      {r4 + value(kCP, "SoftSynthModeIndex", 1), L"Line 3: \"Wavetable Mode\" stores several values together"},
      {r4 + value(kCP, "AnalogEQSrcLine", 5) + value(kCP, "AnalogEQEnableState", 0) + value(kCu, "SupportAnalogEQ", 1),
       L"Line 3: \"Analog EQ Channel\" has no item"},
      {r4 + "[HKEY_LOCAL_MACHINE\\Software\\Zedave\\Other]\r\n", L"Line 2: the key"},
      {r4 + "[-HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D]\r\n", L"Line 2: the key"},
      {r4 + value(kA3D, "Volume", 1), L"Line 3: \"Volume\" is not one of the panel's values"},
      {r4 + value(kCu, "SplashAudio", 1), L"Line 3: \"SplashAudio\" is not one of the panel's values"},
      {r4 + kA3D + "\r\n\"SplashAudio\"=\"1\"\r\n", L"Line 3: \"SplashAudio\" must be a number written as dword:"},
      {r4 + kA3D + "\r\n\"SplashAudio\"=dword:1x\r\n", L"Line 3: \"SplashAudio\" holds no hexadecimal dword"},
      {r4 + kA3D + "\r\nSplashAudio=1\r\n", L"Line 3: this is neither a key nor a value"},
      {r4 + "\"SplashAudio\"=dword:00000001\r\n", L"Line 2: a value must follow its key"},
      {r4 + value(kA3D, "SplashAudio", 1) + "\"splashAUDIO\"=dword:1\r\n", L"Line 4: \"SplashAudio\" is given twice"},
      {utf16.substr(2), L"Line 1: the file does not start as a registration file"},
      {r4 + std::string(64 * 1024, '\n'), L"The file is larger than 64 KiB"}};
  // clang-format on
  for (const auto& [bytes, told] : refused) {
    const std::wstring notice = Load(panel, bytes);
    EXPECT_NE(notice.find(told), std::wstring::npos) << std::string(notice.begin(), notice.end());
    EXPECT_EQ(panel.boxes().shown.back().title, L"Load Settings");
  }
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(Load(panel, utf16), L"");
  EXPECT_EQ(Values("A3D\\SplashAudio"), "A3D\\SplashAudio=dword:00000001\n");
}

// Each control that shows or edits a setting explains it in a tooltip, shown
// next to the control, never over it.
TEST(Tooltips, EachSettingsControlHasOneThatDoesNotCoverIt) {
  DriverKeys keys;
  WindowDriver panel;
  for (int page = 1; page < 5; ++page) panel.ClickTab(page);
  HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
  while (tips && GetWindow(tips, GW_OWNER) != panel.form().hwnd())
    tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
  ASSERT_TRUE(tips);
  const auto tip = [&](const char* name) {
    wchar_t text[160] = L"";
    HWND control = panel.Hwnd(name);
    TOOLINFOW tool{sizeof tool, TTF_IDISHWND, GetParent(control), UINT_PTR(control), {}, nullptr, text, 0, nullptr};
    SendMessageW(tips, TTM_GETTEXTW, 160, LPARAM(&tool));
    return std::wstring(text);
  };
  // clang-format off
  for (const char* name : {"chkPlayA3D", "chkA3DSplash", "cboA3DType", "lblQuad", "cboWavetableMode", "chkMIDIfx",
                           "hsbEffect1", "lblEffect1", "hsbEffect2", "lblEffect2", "chkST3D", "chkAttenuation",
                           "chkLA2Inv", "chkLA4Inv", "lblPCM2", "hsbFront", "lblRear", "lblDigOut", "chkDetOut",
                           "chkEnOut", "chkDetIn", "chkEnIn", "&Stereo", "&Quad", "&32 kHz", "&44.1 kHz", "4&8 kHz"})
    EXPECT_TRUE(tip(name).size() > 10 && tip(name).back() == L'.') << name;
  // clang-format on
  EXPECT_EQ(tip("chkShare"), L"Share the front and rear output jacks.");
  EXPECT_EQ(tip("hsbPCM1"), L"PCM 1 output level: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB.");
  EXPECT_EQ(tip("cboAnalogEQ"), L"Input line that feeds the analog EQ.");
  EXPECT_NE(tip("cboEffect1").find(L"cannot be changed"), std::wstring::npos);
  // Shown by hovering, on the shown page, beside the control.
  for (auto [page, name] : {std::pair{3, "hsbPCM1"}, {1, "cmdEffect2"}, {4, "cboAnalogEQ"}}) {
    panel.ClickTab(page);
    RECT control, shown, both;
    GetWindowRect(panel.Hwnd(name), &control);
    panel.Hover(panel.Hwnd(name));
    for (int i = 0; i < 40 && !IsWindowVisible(tips); ++i) Sleep(50), panel.Pump();
    GetWindowRect(tips, &shown);
    EXPECT_TRUE(IsWindowVisible(tips)) << name;
    EXPECT_FALSE(IntersectRect(&both, &shown, &control)) << name;
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    SendMessageW(tips, TTM_POP, 0, 0);
  }
}

}  // namespace
}  // namespace calvane::test
