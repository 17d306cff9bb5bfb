// Settings files read and written: literal registration text as registry
// editors write it, in each encoding, whole, faulty and cut short.
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstring>
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
  auto narrow = [](const std::wstring& wide) {
    std::string text;
    for (wchar_t c : wide) text += c < 0x80 ? static_cast<char>(c) : '?';
    return text;
  };
  const auto read = ReadSettingsFile(bytes);
  if (const auto* fault = std::get_if<FileFault>(&read))
    return std::to_string(fault->line) + ": " +
           (fault->setting ? "[" + std::string(Info(*fault->setting).name) + "] " : "") + narrow(fault->what);
  std::string text, key = "none";
  for (const FileValue& v : std::get<SettingsFile>(read).values)
    text += std::string(Info(v.setting).name) + "=" + std::to_string(v.number) + "@" + std::to_string(v.line) + " ";
  for (const SkippedValue& s : std::get<SettingsFile>(read).skipped) {
    if (narrow(s.key) != key) text += "[" + (key = narrow(s.key)) + "] ";
    text += narrow(s.name) + "@" + std::to_string(s.line) + " ";
  }
  return text;
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
  for (const char* data : {"hex(4):01,02,03,04,05", "hex(4):", "hex:01", "hex(2):31,00,00,00", "\"x\"",
                           "\"4294967296\"", "\"-2147483649\"", "\"0x10\""})
    EXPECT_EQ(Read(r4 + cp + "\"ReverbAmount\"=" + data + "\r\n"), "3: [ReverbAmount] must be a number") << data;
}

TEST(SettingsFile, EachFaultRefusesTheFileAndNamesItsLine) {
  const std::string a3d = "[HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D]\r\n", splash = "\"SplashAudio\"=dword:1\r\n",
                    deletes = "; the panel does not load files that delete keys or values";
  std::string full = r4 + cp + reverb;
  full += ";" + std::string(64 * 1024 - full.size() - 3, 'x') + "\r\n";
  // clang-format off
  const std::pair<std::string, std::string> files[] = {
      {full, "ReverbAmount=1@3 "}, {full + " ", "0: the file is larger than 64 KiB"}, {"\xFF\xFE", "0: the file is empty"},
      {"REGEDIT5\r\n" + cp + reverb, "1: the file does not start as a registration file (\"REGEDIT4\" or \"Windows Registry Editor Version 5.00\")"},
      {r4 + "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\r\n" + cp + reverb,
       "2: the file deletes the key \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Other\"" + deletes},
      {r4 + cp + reverb + "\"Oth\\\"er\" = -\r\n", "4: \"Oth\"er\" is deleted by the file" + deletes},
      {r4 + cp + "\"Other\"=\"abc\\\"\r\n" + reverb, "3: \"Other\" has a text without its closing quote"},
      {r4 + cp + "\"Blob\"=hex:01,02,\\\r\n  03,0g,04\r\n" + reverb, "4: \"Blob\" has a bad hex byte"},
      {r4 + cp + "\"Blob\"=hex(x):00\r\n" + reverb, "3: \"Blob\" has a bad hex(type)"},
      {r4 + cp + "\"Blob\"=hex:01,\\\r\n  02\r\n\"ReverbAmount\"=\"x\"\r\n", "5: [ReverbAmount] must be a number"},
      {r4 + cp + "\"ReverbAmount\"=dword:123456789\r\n", "3: [ReverbAmount] must have 1 to 8 hexadecimal digits after dword:"},
      {r4 + "[HKEY_LOCAL_MACHINE\\SOFTWARE\r\n" + cp + reverb, "2: a key must be written in square brackets"},
      {r4 + "\r\n" + reverb, "3: a value must follow its key"}, {r4 + cp + "ReverbAmount=1\r\n", "3: this is neither a key nor a value"},
      {r4 + cp + reverb + "\"REVERBAMOUNT\"=\"2\"\r\n", "4: [ReverbAmount] is given twice"},
      {r4 + a3d + splash + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Zedave\\A3D]\r\n\"splashaudio\"=\"1\"\r\n",
       "5: [SplashAudio] is given twice"},
      {r4 + a3d + "\"Volume\"=dword:1\r\n" + cp + "\"SplashAudio\"=dword:1\r\n\r\n", "0: the file holds none of the panel's settings"},
      // Cut short: only a whole key, text or eight-digit dword may end the
      // file without a line end, as may a blank.
      {r4 + cp + "\"ReverbAmount\"=\"7\"", "ReverbAmount=7@3 "}, {r4 + cp + reverb + a3d.substr(0, a3d.size() - 2), "ReverbAmount=1@3 "},
      {"REGEDIT4\n" + cp.substr(0, cp.size() - 2) + "\n" + reverb + "  ", "ReverbAmount=1@3 "},
      {r4 + cp + "\"ReverbAmount\"=dword:0000000", "3: the file ends inside line 3: it may have been cut short"},
      {r4 + cp + reverb + "\"Blob\"=hex:01,\\\r\n  02", "5: the file ends inside line 5: it may have been cut short"},
      {r4 + cp + reverb + "; the end", "4: the file ends inside line 4: it may have been cut short"}};
  // clang-format on
  for (const auto& [bytes, expected] : files) EXPECT_EQ(Read(bytes), expected) << bytes.substr(0, 300);
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
  // The file cut after each byte. A cut at the start of a line, or after all
  // of its text (its line end cut off), gives the values of the lines before
  // it and of that line; a cut inside a line's text refuses the file.
  for (std::size_t cut = 0; cut <= file.size(); ++cut) {
    std::size_t start = 0, line = 0;  // the line the cut falls in, and where it starts
    while (line < std::size(kWritten) && start + std::strlen(kWritten[line]) + 2 <= cut)
      start += std::strlen(kWritten[line++]) + 2;
    const int number = static_cast<int>(line) + 1;
    std::string expected = cut == 0 ? "0: the file is empty" : "";
    if (cut > start && cut < start + std::strlen(kWritten[line])) {
      expected = number == 1 ? "1: the file does not start as a registration file (\"REGEDIT4\" or \"Windows Registry "
                               "Editor Version 5.00\")"
                             : std::to_string(number) + ": the file ends inside line " + std::to_string(number) +
                                   ": it may have been cut short";
    } else if (cut > 0) {
      for (const auto& [n, read] : kWrittenValues)
        if (n < number || (n == number && cut > start)) expected += read;
      if (expected.empty()) expected = "0: the file holds none of the panel's settings";
    }
    EXPECT_EQ(Read(file.substr(0, cut)), expected) << "cut after " << cut;
  }
}

}  // namespace
}  // namespace calvane
