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

constexpr char kCP[] =
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\ControlPanel]";
constexpr char kCu[] =
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization]";
constexpr char kA3D[] = "[HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D]";

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

std::string Temp(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Loads a file through the menu; the notice it gives, if any.
std::wstring Load(WindowDriver& panel, const std::string& bytes) {
  const std::string path = Temp("calvane-load.reg");
  Write(path, bytes);
  panel.boxes().file.assign(path.begin(), path.end());
  const std::size_t before = panel.boxes().shown.size();
  Pick(panel, L"&Load Settings...");
  return panel.boxes().shown.size() > before ? panel.boxes().shown.back().text : L"";
}

TEST(Profiles, SavedSettingsLoadBackIntoTheRegistryAndTheWindow) {
  DriverKeys keys(kFreshInstall + std::string(kCP) + "\n\"ChorusAmount\"=\"x\"\n");
  WindowDriver panel;
  const std::string path = Temp("calvane-save.reg");
  panel.boxes().file.assign(path.begin(), path.end());
  Pick(panel, L"&Save Settings As...");
  // The demo's numbers, the unreadable chorus amount and the rate's label
  // left out, each as dword.
  const std::string saved = Read(path);
  EXPECT_EQ(saved.substr(0, 10), "REGEDIT4\r\n");
  for (const char* line :
       {"\"ReverbAmount\"=dword:00000040\r\n", "\"SplashAudio\"=dword:00000001\r\n",
        "\"SoftSynthVoices\"=dword:00000100\r\n", "\"SpdifFrequency\"=dword:0000bb80\r\n",
        "\"SupportAnalogEQ\"=dword:00000000\r\n", "\"AnalogEQSrcLine\"=dword:00000003\r\n"}) {
    EXPECT_NE(saved.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(saved.find("ChorusAmount"), std::string::npos);
  EXPECT_NE(saved.find(std::string(kCP) + "\r\n"), std::string::npos);
  const std::string stored = Dump();
  panel.ClickTab(1), panel.Choose("cboWavetableMode", L"64 Voices");
  panel.ClickTab(3), panel.Click("chkShare"), SetFocus(panel.Hwnd("hsbRear")), panel.Key(VK_END);
  panel.ClickTab(4), panel.Choose("cboAnalogEQ", L"Video");
  EXPECT_EQ(Load(panel, saved), L"");
  // Back as they were; the rate, stored as text, is chosen and so a dword now.
  std::string expected = stored;
  const std::string rate = "SpdifFrequency=\"48000\"";
  expected.replace(expected.find(rate), rate.size(), "SpdifFrequency=dword:0000bb80");
  EXPECT_EQ(Dump(), expected);
  EXPECT_EQ(panel.Look(L"4&8 kHz"), L"1");
  EXPECT_EQ(panel.Look("cboWavetableMode"), L"320 Voices");
  EXPECT_EQ(panel.Look("chkShare"), L"0");
  EXPECT_EQ(panel.Look("lblRear"), L"8");
  EXPECT_EQ(panel.Look("cboAnalogEQ"), L"None");
}

TEST(Profiles, UndoPutsBackWhatEachChangedValueHeldWhenTheWindowWasShown) {
  DriverKeys keys(kFreshInstall + std::string(kA3D) + "\n\"SplashScreen\"=hex(4):01,00\n" + kCP +
                  "\n\"GamerMode\"=\"7\"\n");
  WindowDriver panel;
  const std::string shown = Dump();
  Pick(panel, L"&Undo All Changes");  // grayed: nothing changed
  EXPECT_EQ(Dump(), shown);
  panel.Click("chkA3DSplash"), panel.Click("chkPlayA3D");
  panel.ClickTab(1), panel.Choose("cboWavetableMode", L"128 Voices"), panel.AltKey(L'1'),
      panel.Key(VK_HOME);
  panel.ClickTab(2), panel.Click(L"&Quad");
  panel.ClickTab(4), panel.Click(L"&32 kHz"), panel.Click("chkDetOut");
  EXPECT_NE(Dump(), shown);
  Pick(panel, L"&Undo All Changes");
  EXPECT_EQ(Dump(), shown);  // the 2-byte dword, the texts and the numbers as they were
  const std::pair<const char*, const wchar_t*> looks[] = {
      {"chkA3DSplash", L"1"},  {"chkPlayA3D", L"1"},  {"cboWavetableMode", L"320 Voices"},
      {"hsbEffect1", L"64"},   {"lblEffect1", L"64"}, {"lblQuad", L"Stereo"},
      {"lblDigOut", L"48000"}, {"chkDetOut", L"1"},   {"chkEnOut", L"1"}};
  for (auto [name, look] : looks) EXPECT_EQ(panel.Look(name), look) << name;
  EXPECT_EQ(panel.Look(L"&Quad") + panel.Look(L"&32 kHz"), L"00");
  panel.ClickTab(1), panel.Choose("cboWavetableMode", L"64 Voices");  // and again, after the undo
  Pick(panel, L"&Undo All Changes");
  EXPECT_EQ(Dump(), shown);
}

// Every setting at each end of its range loads; every fault of a file is
// refused, naming its line, and nothing is written.
TEST(Profiles, FilesWithinTheRangesLoadAndAnyOtherIsRefusedWhole) {
  DriverKeys keys;
  WindowDriver panel;
  const auto file = [](const std::string& cp, const std::string& cu, const std::string& a3d) {
    return "REGEDIT4\r\n\r\n" + std::string(kCP) + "\r\n" + cp + kCu + "\r\n" + cu + kA3D + "\r\n" +
           a3d;
  };
  const auto dwords = [](std::vector<std::pair<const char*, unsigned>> values) {
    std::string text;
    char line[80];
    for (auto [name, n] : values)
      text += (std::snprintf(line, sizeof line, "\"%s\"=dword:%08x\r\n", name, n), line);
    return text;
  };
  const auto ends = [&](bool high) {
    const unsigned box = high ? 2 : 0, level = high ? 31 : 0, amount = high ? 127 : 0;
    return file(dwords({{"ZuvivWavetableEffect", box},
                        {"ReverbAmount", amount},
                        {"ChorusAmount", amount},
                        {"QuadCodecOutputModeState", high},
                        {"PrimaryXtalk", high ? 2u : 0u},
                        {"GamerMode", high ? 0u : 1u},
                        {"SoftSynthVoices", high ? 0u : 256u},
                        {"SoftSynthMode", high ? 0u : 3u},
                        {"SoftSynthModeIndex", high ? 2u : 0u},
                        {"SoftSynth", high ? 0u : 2u},
                        {"AnalogEQSrcLine", high ? 5u : 3u},
                        {"AnalogEQEnableState", high}}),
                dwords({{"AC97PCMOutVol", level},
                        {"AC97PCM2OutVol", level},
                        {"AC97MixerFrontOutVol", level},
                        {"AC97MixerRearOutVol", level},
                        {"SpdifFrequency", high ? 48000u : 32000u},
                        {"DisableAC97Codec3DEffect", box},
                        {"ST9704ATTEN", box},
                        {"CorrectLA2", box},
                        {"ST9708LA4RearInversion", box},
                        {"SetGPIO0InQuad", box},
                        {"DetectSpdifOut", box},
                        {"DetectSpdifIn", box},
                        {"EnableSpdifOut", box},
                        {"EnableSpdifIn", box},
                        {"SupportAnalogEQ", high}}),
                dwords({{"SplashAudio", box}, {"SplashScreen", box}}));
  };
  for (bool high : {true, false, true}) {
    const std::string text = ends(high);
    EXPECT_EQ(Load(panel, text), L"") << high;
    std::string dump = Dump();
    for (std::size_t at = 0; (at = text.find("\"", at)) != std::string::npos;) {
      const std::size_t end = text.find("\r\n", at);
      std::string line = text.substr(at + 1, end - at - 1);
      line.erase(line.find('"'), 1);
      EXPECT_NE(dump.find("\\" + line + "\n"), std::string::npos) << line;
      at = end;
    }
  }
  const std::string before = Dump();
  std::u16string wide =
      u"\xFEFFWindows Registry Editor Version "
      u"5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D]\r\n\"splashaudio\"=dword:"
      u"00000001\r\n";
  const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
  // A file's bytes, and what the notice must say of it.
  const std::pair<std::string, const wchar_t*> refused[] = {
      {"", L"Line 1: the file is empty"},
      {"REGEDIT4\r\n" + std::string(kCu) + "\r\n\"AC97PCMOutVol\"=dword:00000020\r\n",
       L"Line 3: \"PCM 1 Out Level\" cannot show the number 32"},
      {"REGEDIT4\r\n" + std::string(kCu) + "\r\n\"SpdifFrequency\"=dword:0000ac45\r\n",
       L"Line 3: \"Output Rate\" cannot show the number 44101"},
      {"REGEDIT4\r\n" + std::string(kCP) + "\r\n\"ReverbAmount\"=dword:00000080\r\n",
       L"Line 3: \"Effect 1 (Reverb)\" cannot show"},
      {"REGEDIT4\r\n" + std::string(kCP) + "\r\n\"PrimaryXtalk\"=dword:00000003\r\n",
       L"Line 3: \"A3D Type\" cannot show the number 3"},
      {"REGEDIT4\r\n" + std::string(kCP) + "\r\n\"QuadCodecOutputModeState\"=dword:00000002\r\n",
       L"Line 3: \"Quad Codec Output Mode\" cannot show the number 2"},
      {"REGEDIT4\r\n" + std::string(kA3D) + "\r\n\"SplashAudio\"=dword:00000003\r\n",
       L"Line 3: \"Play A3D splash audio\" cannot show the number 3"},
      {"REGEDIT4\r\n" + std::string(kCP) + "\r\n\"SoftSynthModeIndex\"=dword:00000001\r\n",
       L"Line 3: \"Wavetable Mode\" stores several values together"},
      {file(dwords({{"AnalogEQSrcLine", 5}, {"AnalogEQEnableState", 0}}),
            dwords({{"SupportAnalogEQ", 1}}), ""),
       L"Line 4: \"Analog EQ Channel\" has no item"},
      {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Zedave\\Other]\r\n", L"Line 2: the key"},
      {"REGEDIT4\r\n[-HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D]\r\n", L"Line 2: the key"},
      {"REGEDIT4\r\n" + std::string(kA3D) + "\r\n\"Volume\"=dword:00000001\r\n",
       L"Line 3: \"Volume\" is not one of the panel's values"},
      {"REGEDIT4\r\n" + std::string(kCu) + "\r\n\"SplashAudio\"=dword:00000001\r\n",
       L"Line 3: \"SplashAudio\" is not one of the panel's values"},
      {"REGEDIT4\r\n" + std::string(kA3D) + "\r\n\"SplashAudio\"=\"1\"\r\n",
       L"Line 3: \"SplashAudio\" must be a number written as dword:"},
      {"REGEDIT4\r\n" + std::string(kA3D) + "\r\n\"SplashAudio\"=dword:1x\r\n",
       L"Line 3: \"SplashAudio\" holds no hexadecimal dword"},
      {"REGEDIT4\r\n" + std::string(kA3D) + "\r\nSplashAudio=1\r\n",
       L"Line 3: this is neither a key nor a value"},
      {"REGEDIT4\r\n\"SplashAudio\"=dword:00000001\r\n", L"Line 2: a value must follow its key"},
      {"REGEDIT4\r\n" + std::string(kA3D) +
           "\r\n\"SplashAudio\"=dword:1\r\n\"splashAUDIO\"=dword:1\r\n",
       L"Line 4: \"SplashAudio\" is given twice"},
      {utf16.substr(2), L"Line 1: the file does not start as a registration file"},
      {"REGEDIT4\r\n" + std::string(1 << 20, ';'), L"The file is larger than 64 KiB"},
      {"REGEDIT4\r\n" + std::string(64 * 1024, '\n'), L"The file is larger than 64 KiB"}};
  for (const auto& [bytes, told] : refused) {
    const std::wstring notice = Load(panel, bytes);
    EXPECT_NE(notice.find(told), std::wstring::npos)
        << std::string(told, told + wcslen(told)) << " in "
        << std::string(notice.begin(), notice.end());
    EXPECT_EQ(panel.boxes().shown.back().title, L"Load Settings");
    EXPECT_EQ(Dump(), before);
  }
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
  const auto tip = [&](HWND control) {
    wchar_t text[160] = L"";
    TOOLINFOW tool{
        sizeof tool, TTF_IDISHWND, GetParent(control), UINT_PTR(control), {}, nullptr, text,
        0,           nullptr};
    SendMessageW(tips, TTM_GETTEXTW, 160, LPARAM(&tool));
    return std::wstring(text);
  };
  for (const char* name :
       {"chkPlayA3D", "chkA3DSplash",   "cboA3DType", "lblQuad",    "cboWavetableMode",
        "chkMIDIfx",  "hsbEffect1",     "lblEffect1", "hsbEffect2", "lblEffect2",
        "chkST3D",    "chkAttenuation", "chkLA2Inv",  "chkLA4Inv",  "lblPCM2",
        "hsbFront",   "lblRear",        "lblDigOut",  "chkDetOut",  "chkEnOut",
        "chkDetIn",   "chkEnIn"}) {
    const std::wstring text = tip(panel.Hwnd(name));
    EXPECT_TRUE(text.size() > 10 && text.back() == L'.') << name;
  }
  for (const wchar_t* caption : {L"&Stereo", L"&Quad", L"&32 kHz", L"&44.1 kHz", L"4&8 kHz"})
    EXPECT_NE(tip(panel.Captioned(caption)), L"");
  EXPECT_EQ(tip(panel.Hwnd("chkShare")), L"Share the front and rear output jacks.");
  EXPECT_EQ(tip(panel.Hwnd("hsbPCM1")),
            L"PCM 1 output level: 0 is +12 dB, 8 is 0 dB, 31 is -34.5 dB.");
  EXPECT_EQ(tip(panel.Hwnd("cboAnalogEQ")), L"Input line that feeds the analog EQ.");
  EXPECT_NE(tip(panel.Hwnd("cboEffect1")).find(L"cannot be changed"), std::wstring::npos);
  // Shown by hovering, on the shown page, beside the control.
  for (auto [page, name] : {std::pair{3, "hsbPCM1"}, {1, "cmdEffect2"}, {4, "cboAnalogEQ"}}) {
    panel.ClickTab(page);
    RECT control;
    GetWindowRect(panel.Hwnd(name), &control);
    SetCursorPos((control.left + control.right) / 2, (control.top + control.bottom) / 2);
    POINT at{(control.left + control.right) / 2, (control.top + control.bottom) / 2};
    HWND under = WindowFromPoint(at);
    ScreenToClient(under, &at);
    panel.Deliver(under, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    for (int i = 0; i < 40 && !IsWindowVisible(tips); ++i) Sleep(50), panel.Pump();
    RECT shown, both;
    GetWindowRect(tips, &shown);
    EXPECT_TRUE(IsWindowVisible(tips)) << name;
    EXPECT_FALSE(IntersectRect(&both, &shown, &control)) << name;
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    SendMessageW(tips, TTM_POP, 0, 0);
  }
}

}  // namespace
}  // namespace calvane::test
