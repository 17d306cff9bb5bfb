// Settings files read and written: literal registration text as registry
// editors write it, in each encoding, whole, faulty and cut short.
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <map>

namespace calvane {
namespace {

const std::string kService = "SYSTEM\\CurrentControlSet\\Services\\wdm_au8830", r4 = "REGEDIT4\r\n",
                  cp = "[HKEY_LOCAL_MACHINE\\" + kService + "\\ControlPanel]\r\n",
                  reverb = "\"ReverbAmount\"=dword:00000001\r\n";

// What reading gives, as one line: each value as Name=number@line, then each
// skipped value as name@line after its key in brackets; or the fault as
// "line: words".
std::string Read(std::string_view bytes) {
  const auto read = ReadSettingsFile(bytes);
  if (const auto* fault = std::get_if<FileFault>(&read)) {
    std::string what;
    for (wchar_t c : fault->what) what += c < 0x80 ? static_cast<char>(c) : '?';
    return std::to_string(fault->line) + ": " + what;
  }
  std::string text, key = "none";
  for (const FileValue& v : std::get<SettingsFile>(read).values)
    text += std::string(Info(v.setting).name) + "=" + std::to_string(v.number) + "@" + std::to_string(v.line) + " ";
  for (const SkippedValue& s : std::get<SettingsFile>(read).skipped) {
    if (s.key != key) text += "[" + (key = s.key) + "] ";
    text += s.name + "@" + std::to_string(s.line) + " ";
  }
  return text;
}

// The text as UTF-16 with its byte-order mark, or as UTF-8; each \n written
// as \r\n, as the registry editor ends lines.
std::string Utf16(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    if (c == u'\n') bytes += std::string("\r\0", 2);
    bytes += static_cast<char>(c & 0xFF), bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}
std::string Utf8(std::u16string_view text) {  // of characters below U+0800
  std::string bytes;
  for (char16_t c : text) {
    if (c == u'\n') bytes += '\r';
    if (c >= 0x80) bytes += static_cast<char>(0xC0 | c >> 6);
    bytes += static_cast<char>(c < 0x80 ? c : 0x80 | (c & 0x3F));
  }
  return bytes;
}

// The service key as `regedit /E` exports it, its subkeys with it; some of
// the panel's numbers are stored as text, some as short dwords.
constexpr std::u16string_view kExport =
    uR"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\wdm_au8830]
"Type"=dword:00000001
"Start"=dword:00000003
"ErrorControl"=dword:00000001
"ImagePath"=hex(2):5c,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,\
  74,00,5c,00,73,00,79,00,73,00,74,00,65,00,6d,00,33,00,32,00,5c,00,64,00,72,\
  00,69,00,76,00,65,00,72,00,73,00,5c,00,61,00,75,00,38,00,38,00,33,00,30,00,\
  2e,00,73,00,79,00,73,00,00,00
"DisplayName"="AU8830 WDM audio"
"DependOnService"=hex(7):6b,00,73,00,00,00,70,00,6f,00,72,00,74,00,63,00,6c,00,\
  73,00,00,00,00,00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\wdm_au8830\ControlPanel]
@="panel defaults"
"ReverbAmount"="64"
"ChorusAmount"=dword:00000020
"SoftSynthModeIndex"="1"
"ZuvivWavetableEffect"=" 1 "
"SplashAudio"=dword:00000001

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\wdm_au8830\Customization]
"AC97PCMOutVol"=dword:00000008
"SpdifFrequency"="48000"
"SetGPIO0InQuad"=hex(4):01,00
"DetectSpdifOut"=hex(4):01,00,00,00
"Ausgabe für Kopfhörer"=dword:00000000

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\wdm_au8830\Enum]
"0"="PCI\\VEN_1234&DEV_5678&SUBSYS_00000000&REV_01\\4&1a2b3c4d&0&0848"
"Count"=dword:00000001
"NextInstance"=dword:00000001

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\wdm_au8830\Security]
"Security"=hex:01,00,14,80,90,00,00,00,9c,00,00,00,14,00,00,00,30,00,00,00,02,\
  00,1c,00,01,00,00,00,02,80,14,00,ff,01,0f,00,01,01,00,00,00,00,00,01,00,00,\
  00,00

)";

TEST(SettingsFile, AnExportOfTheServiceKeyGivesThePanelsNumbersAndSkipsTheRest) {
  const std::string expected =
      "ReverbAmount=64@17 ChorusAmount=32@18 SoftSynthModeIndex=1@19 ZuvivWavetableEffect=1@20 AC97PCMOutVol=8@24 "
      "SpdifFrequency=48000@25 SetGPIO0InQuad=1@26 DetectSpdifOut=1@27 [" +
      kService + "] Type@4 Start@5 ErrorControl@6 ImagePath@7 DisplayName@11 DependOnService@12 [" + kService +
      "\\ControlPanel] @16 SplashAudio@21 [" + kService + "\\Customization] Ausgabe für Kopfhörer@28 [" + kService +
      "\\Enum] 0@31 Count@32 NextInstance@33 [" + kService + "\\Security] Security@36 ";
  EXPECT_EQ(Read(Utf16(kExport)), expected);
  EXPECT_EQ(Read("\xEF\xBB\xBF" + Utf8(kExport)), expected);
  EXPECT_EQ(Read(Utf8(kExport)), expected);
  // The user's next step: the numbers saved again, as dwords, read back the same.
  const auto values = std::get<SettingsFile>(ReadSettingsFile(Utf16(kExport))).values;
  const std::string saved = WriteSettingsFile(values, A3DPath::Plain);
  const std::string head = r4 + "\r\n" + cp + "\"ZuvivWavetableEffect\"=dword:00000001\r\n";
  EXPECT_EQ(saved.substr(0, head.size()), head);
  EXPECT_EQ(Read(saved),
            "ZuvivWavetableEffect=1@4 ReverbAmount=64@5 ChorusAmount=32@6 SoftSynthModeIndex=1@7 AC97PCMOutVol=8@10 "
            "SpdifFrequency=48000@11 SetGPIO0InQuad=1@12 DetectSpdifOut=1@13 ");
}

TEST(SettingsFile, NumbersLoadAsDwordsShortDwordsAndDecimalTextsInTheirOwnKeysOnly) {
  EXPECT_EQ(Read(r4 + "[hkey_local_machine\\system\\currentcontrolset\\services\\WDM_AU8830\\controlpanel]\n"
                      "\"reverbamount\"=dword:7F\n\"ChorusAmount\"=\"  -1 \"\n\"PrimaryXtalk\"=\"+2\"\n"
                      "\"QuadCodecOutputModeState\"=hex(4):34,12\n\"AnalogEQSrcLine\"=\"4294967295\"\n"
                      "\"AnalogEQEnableState\"=\"-2147483648\"\n\"GamerMode\"=DWORD:ABCDEF01\n"
                      "\"SoftSynth\"=hex(04):05\n\"SoftSynthMode\" = hex(4): 01 , 02 ,03,\\\n  80\n"
                      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Zedave\\A3D]\n\"SplashScreen\"=dword:00000000\n"
                      "[HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D\\Sub]\n\"SplashAudio\"=dword:1\n"
                      "[HKEY_CURRENT_USER\\Software\\Zedave\\A3D]\n\"SplashAudio\"=dword:1\n"),
            "ReverbAmount=127@3 ChorusAmount=4294967295@4 PrimaryXtalk=2@5 QuadCodecOutputModeState=4660@6 "
            "AnalogEQSrcLine=4294967295@7 AnalogEQEnableState=2147483648@8 GamerMode=2882400001@9 SoftSynth=5@10 "
            "SoftSynthMode=2147680769@11 SplashScreen=0@14 [Software\\Zedave\\A3D\\Sub] SplashAudio@16 "
            "[HKEY_CURRENT_USER\\Software\\Zedave\\A3D] SplashAudio@18 ");
  for (const char* data : {"hex(4):01,02,03,04,05", "hex(4):", "hex:01", "hex(2):31,00,00,00", "hex(b):01", "\"x\"",
                           "\"\"", "\"4294967296\"", "\"-2147483649\"", "\"1 2\"", "\"0x10\"", "\"--1\""})
    EXPECT_EQ(Read(r4 + cp + "\"ReverbAmount\"=" + data + "\r\n"), "3: \"ReverbAmount\" must be a number") << data;
}

TEST(SettingsFile, EachFaultRefusesTheFileAndNamesItsLine) {
  const std::string a3d = "[HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D]\r\n", splash = "\"SplashAudio\"=dword:1\r\n",
                    deletes = "; the panel does not load files that delete keys or values";
  std::string full = r4 + cp + reverb;
  full += ";" + std::string(64 * 1024 - full.size() - 3, 'x') + "\r\n";
  // clang-format off
  const std::pair<std::string, std::string> files[] = {
      {full, "ReverbAmount=1@3 "}, {full + " ", "0: the file is larger than 64 KiB"},
      {"", "0: the file is empty"}, {"\xFF\xFE", "0: the file is empty"},
      {"REGEDIT5\r\n" + cp + reverb, "1: the file does not start as a registration file (\"REGEDIT4\")"},
      {"\r\n" + r4 + cp + reverb, "1: the file does not start as a registration file (\"REGEDIT4\")"},
      {Utf16(u"Windows Registry Editor Version 5.00\n").substr(2), "1: the file does not start as a registration file (\"REGEDIT4\")"},
      {r4 + "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\r\n" + cp + reverb,
       "2: the file deletes the key \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Other\"" + deletes},
      {r4 + cp + reverb + "\"Oth\\\"er\" = -\r\n", "4: the file deletes the value \"Oth\"er\"" + deletes},
      {r4 + cp + reverb + "@=-\r\n", "4: the file deletes the value \"\"" + deletes},
      {r4 + cp + "\"Other\"=\"abc\\\"\r\n" + reverb, "3: the text of \"Other\" has no closing quote"},
      {r4 + cp + "\"Blob\"=hex:01,02,\\\r\n  03,0g,04\r\n" + reverb, "4: \"Blob\" has a bad hex byte"},
      {r4 + cp + "\"Blob\"=hex:01,\\\r\n  02 03\r\n" + reverb, "4: \"Blob\" has a bad hex byte"},
      {r4 + cp + "\"Blob\"=hex:01,,02\r\n" + reverb, "3: \"Blob\" has a bad hex byte"},
      {r4 + cp + "\"Blob\"=hex:123\r\n" + reverb, "3: \"Blob\" has a bad hex byte"},
      {r4 + cp + "\"Blob\"=hex(x):00\r\n" + reverb, "3: \"Blob\" has a bad hex(type)"},
      {r4 + cp + "\"Blob\"=hex:01,\\\r\n  02\r\n\"ReverbAmount\"=\"x\"\r\n", "5: \"ReverbAmount\" must be a number"},
      {r4 + cp + "\"Other\"=dword:\r\n", "3: \"Other\" must have 1 to 8 hexadecimal digits after dword:"},
      {r4 + cp + "\"ReverbAmount\"=dword:123456789\r\n", "3: \"ReverbAmount\" must have 1 to 8 hexadecimal digits after dword:"},
      {r4 + cp + "\"Other\"=qword:1\r\n", "3: \"Other\" is not written as a registry editor writes values"},
      {r4 + cp + "\"Other\"=\"a\" b\r\n", "3: \"Other\" is not written as a registry editor writes values"},
      {r4 + cp + "\"ReverbAmount\" dword:1\r\n", "3: \"ReverbAmount\" has no = after its name"},
      {r4 + cp + "\"Reverb\r\n", "3: the name of a value has no closing quote"},
      {r4 + "[HKEY_LOCAL_MACHINE\\SOFTWARE\r\n" + cp + reverb, "2: a key must be written in square brackets"},
      {r4 + "\r\n" + reverb, "3: a value must follow its key"},
      {r4 + cp + "ReverbAmount=1\r\n", "3: this is neither a key nor a value"},
      {r4 + cp + reverb + "\"REVERBAMOUNT\"=\"2\"\r\n", "4: \"ReverbAmount\" is given twice"},
      {r4 + a3d + splash + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Zedave\\A3D]\r\n\"splashaudio\"=\"1\"\r\n",
       "5: \"SplashAudio\" is given twice"},
      {r4 + a3d + "\"Volume\"=dword:1\r\n" + cp + "\"SplashAudio\"=dword:1\r\n\r\n",
       "0: the file holds none of the panel's settings"},
      // Cut short: only a whole key, text or eight-digit dword may end the
      // file without a line end, as may a blank.
      {r4 + cp + "\"ReverbAmount\"=\"7\"", "ReverbAmount=7@3 "}, {r4 + cp + "@=\"\"", "0: the file holds none of the panel's settings"},
      {r4 + cp + reverb + a3d.substr(0, a3d.size() - 2), "ReverbAmount=1@3 "},
      {r4 + cp + "\"ReverbAmount\"=dword:0000000a \r", "ReverbAmount=10@3 "},
      {"REGEDIT4\n" + cp.substr(0, cp.size() - 2) + "\n" + reverb + "  ", "ReverbAmount=1@3 "},
      {r4 + cp + "\"ReverbAmount\"=dword:0000000", "3: the file ends inside line 3: it may have been cut short"},
      {r4 + cp + "\"ReverbAmount\"=\"7\\\"", "3: the file ends inside line 3: it may have been cut short"},
      {r4 + cp + reverb + "\"Blob\"=hex:01,02", "4: the file ends inside line 4: it may have been cut short"},
      {r4 + cp + reverb + "\"Blob\"=hex:01,\\\r\n", "4: the file ends inside line 4: it may have been cut short"},
      {r4 + cp + reverb + "\"Blob\"=hex:01,\\\r\n  02", "5: the file ends inside line 5: it may have been cut short"},
      {r4 + cp + reverb + "; the end", "4: the file ends inside line 4: it may have been cut short"}};
  // clang-format on
  for (const auto& [bytes, expected] : files) EXPECT_EQ(Read(bytes), expected) << bytes.substr(0, 300);
}

TEST(SettingsFile, TextQuotedInAFaultIsCutAfterEightyCharacters) {
  const std::string name(20000, 'n'), shown = "\"" + std::string(80, 'n') + "...\"";
  for (const std::string& line : {"\"" + name + "\"=-", "[-" + name + "]", "\"" + name + "\"=dword:x"}) {
    const std::string read = Read(r4 + cp + line + "\r\n");
    EXPECT_EQ(read.substr(0, 3), "3: ");
    EXPECT_NE(read.find(shown), std::string::npos) << read.substr(0, 200);
    EXPECT_LT(read.size(), 200u);
  }
}

// Each value written as dword: in the catalogue's order, each key once and
// only with values: this file, line by line.
// clang-format off
const char* const kWritten[] = {
    "REGEDIT4", "",
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\ControlPanel]",
    "\"ReverbAmount\"=dword:00000040", "\"SoftSynthModeIndex\"=dword:00000002", "",
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization]",
    "\"AC97PCMOutVol\"=dword:0000001f", "\"SpdifFrequency\"=dword:0000bb80", "",
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Zedave\\A3D]", "\"SplashAudio\"=dword:ffffffff"};
// What each of its lines gives when read.
const std::map<int, std::string> kWrittenValues = {
    {4, "ReverbAmount=64@4 "}, {5, "SoftSynthModeIndex=2@5 "}, {8, "AC97PCMOutVol=31@8 "},
    {9, "SpdifFrequency=48000@9 "}, {12, "SplashAudio=4294967295@12 "}};
// clang-format on

TEST(SettingsFile, WrittenFilesReadBackAndACutAtAnyByteIsRefusedOrGivesItsWholeLines) {
  // clang-format off
  const std::string file = WriteSettingsFile({{Setting::SplashAudio, 0xffffffff}, {Setting::SpdifFrequency, 48000},
      {Setting::SoftSynthModeIndex, 2}, {Setting::ReverbAmount, 64}, {Setting::AC97PCMOutVol, 31},
      {Setting::ReverbAmount, 65}}, A3DPath::Wow6432Node);
  // clang-format on
  std::string lines;  // the first of the two ReverbAmounts in it
  for (const char* line : kWritten) lines += line + std::string("\r\n");
  ASSERT_EQ(file, lines);
  EXPECT_EQ(WriteSettingsFile({{Setting::SplashScreen, 1}}, A3DPath::Plain),
            r4 + "\r\n[HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D]\r\n\"SplashScreen\"=dword:00000001\r\n");
  // The same file as REGEDIT4 and as UTF-16 "Version 5.00", cut after each
  // byte. A cut at the start of a line, or after all of its text (its line
  // end cut off), gives the values of the lines before it and of that line;
  // a cut inside a line's text, or inside a character, refuses the file.
  for (bool wide : {false, true}) {
    std::vector<std::string> text(std::begin(kWritten), std::end(kWritten));
    if (wide) text[0] = "Windows Registry Editor Version 5.00";
    std::string bytes = wide ? "\xFF\xFE" : "";
    for (const std::string& line : text)
      for (char c : line + "\r\n") bytes += wide ? std::string{c, '\0'} : std::string{c};
    const std::size_t head = wide ? 2 : 0, unit = wide ? 2 : 1;
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
      std::string expected;
      if (cut <= head) {
        expected =
            cut == 1 ? "1: the file does not start as a registration file (\"REGEDIT4\")" : "0: the file is empty";
      } else {
        const std::size_t at = (cut - head) / unit;  // characters left, the last maybe cut in half
        const bool half = (cut - head) % unit != 0;
        std::size_t start = 0, line = 0;  // the line the cut falls in, and where it starts
        while (line < text.size() && start + text[line].size() + 2 <= at) start += text[line++].size() + 2;
        const bool whole = !half && (at == start || at >= start + text[line].size());
        const int number = static_cast<int>(line) + 1;
        if (!whole) {
          expected = number == 1 ? "1: the file does not start as a registration file (\"REGEDIT4\")"
                                 : std::to_string(number) + ": the file ends inside line " + std::to_string(number) +
                                       ": it may have been cut short";
        } else {
          for (const auto& [n, read] : kWrittenValues)
            if (n < number || (n == number && at > start)) expected += read;
          if (expected.empty()) expected = "0: the file holds none of the panel's settings";
        }
      }
      EXPECT_EQ(Read(bytes.substr(0, cut)), expected) << wide << " cut after " << cut;
    }
  }
}

}  // namespace
}  // namespace calvane
