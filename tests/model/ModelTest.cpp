// The settings model with no window: what its start-up and each change of a
// control write, in order, and show; settings files saved and loaded; every
// change whole or not at all; the undo. Values are seeded from registration
// text into the test prefix's real registry and read back with the tests'
// own reader; what was written, in order, comes from the recording store.
#include "model/Panel.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "model/Mistake.h"
#include "model/SettingsTransfer.h"
#include "tests/support/FailingStore.h"
#include "tests/support/Registration.h"
#include "pages/Pages.h"

namespace calvane::test {
namespace {

const std::string kCP = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\ControlPanel]\n",
                  kCu = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization]\n",
                  kA3D = "[HKEY_LOCAL_MACHINE\\Software\\Zedave\\A3D]\n";
// What a freshly installed driver's start-up writes back, piece by piece.
const std::string kNoEQ = "SupportAnalogEQ=0 AnalogEQSrcLine=3 AnalogEQEnableState=0 ",
                  kLevels = "AC97PCMOutVol=8 AC97PCM2OutVol=8 AC97MixerFrontOutVol=8 AC97MixerRearOutVol=8 ",
                  kSwitches = "ReverbAmount=64 ZuvivWavetableEffect=1 SplashAudio=1 SplashScreen=1 ",
                  kVoices320 = "GamerMode=1 SoftSynthVoices=256 SoftSynthMode=3 SoftSynthModeIndex=0 SoftSynth=2 ",
                  kRest = kLevels + kSwitches + "DetectSpdifOut=1 EnableSpdifOut=1 " + kVoices320 + "PrimaryXtalk=0 ";

// The writes of an EQ item: SupportAnalogEQ, AnalogEQSrcLine, AnalogEQEnableState.
std::string Eq(int s, int l, int e) {
  return "SupportAnalogEQ=" + std::to_string(s) + " AnalogEQSrcLine=" + std::to_string(l) +
         " AnalogEQEnableState=" + std::to_string(e);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + " ";
  return text;
}

// Each control that `looks` names shows what it says there: "name=state",
// " off" when disabled, and a label's caption in quotes ('-' for its
// design-time caption).
void ExpectLooks(const Panel& panel, const std::string& looks) {
  std::istringstream in(looks);
  std::string shown;
  for (std::string word; in >> word;) {
    if (word.find('=') == std::string::npos) continue;
    const std::string name = word.substr(0, word.find('='));
    const ControlState& s = panel.StateOf(panel.FieldOf(name));
    shown += name + "=" + std::to_string(s.state) + (s.enabled ? "" : " off");
    if (panel.FieldOf(name).label)
      shown += s.caption ? " '" + std::string(s.caption->begin(), s.caption->end()) + "'" : " -";
    shown += " ";
  }
  EXPECT_EQ(shown, looks);
}

// The registry seeded with a fresh install and `stored` over it; a panel on
// the recording store, started up and shown (its journal begun).
struct Model : testing::Test {
  void Start(const std::string& stored = "") {
    keys.emplace(kFreshInstall + stored);
    panel.emplace(store, Pages());
    failures = panel->StartUp();
    panel->BeginJournal();
  }
  const Field& F(const char* name) { return panel->FieldOf(name); }
  SystemRegistry system;
  FailingStore store{system};
  std::optional<DriverKeys> keys;
  std::optional<Panel> panel;
  std::vector<WriteFailure> failures;
};

TEST_F(Model, TheStartUpWritesBackWhatItsFillMovesInItsFixedOrderAndShowsWhatIsStored) {
  // What is stored over a fresh install, what the start-up writes, in order,
  // and what it shows.
  // clang-format off
  const std::tuple<std::string, std::string, std::string> starts[] = {
      // The rear-jack switch is created first; text switches are rewritten as
      // numbers; a chorus amount of 0 leaves its placeholder; the stored rate
      // shows with no rate button chosen.
      {kCu + "\"SetGPIO0InQuad\"=-\n", "SetGPIO0InQuad=0 " + kNoEQ + kRest,
       "chkShare=0 hsbEffect1=64 '64' hsbEffect2=0 - cboWavetableMode=0 cboA3DType=0 optQuad=-1 'Stereo' hsbPCM1=8 '8' "
       "optDigOut=-1 '48000' chkDetOut=1 chkEnOut=1 chkDetIn=0 chkEnIn=0 off cboAnalogEQ=0 "},
      // The EQ: supported and enabled selects the stored line, supported but
      // not enabled (whatever the number) "None", other numbers nothing.
      {kCu + "\"SupportAnalogEQ\"=\"1\"\n" + kCP + "\"AnalogEQEnableState\"=dword:00010000\n",
       kNoEQ + kRest, "cboAnalogEQ=0 "},
      {kCu + "\"SupportAnalogEQ\"=dword:1\n" + kCP + "\"AnalogEQEnableState\"=\"1\"\n\"AnalogEQSrcLine\"=\"0\"\n",
       "SupportAnalogEQ=1 AnalogEQSrcLine=0 AnalogEQEnableState=1 " + kRest, "cboAnalogEQ=1 "},
      // A dword of one byte or of five, a text with blanks, a sign, leading
      // zeros or a zero character and more, a number beyond its control or
      // beyond 64 bits, other types, a text that is empty: what no control
      // can show is neither shown nor written; a quad mode of neither 0 nor 1
      // keeps its placeholder; a grayed detection box disables its enable box.
      {kCu + "\"SpdifFrequency\"=\"22050\"\n\"DetectSpdifIn\"=\"2\"\n\"EnableSpdifIn\"=\"1\"\n\"AC97PCMOutVol\"=hex(4):05\n\"AC97PCM2OutVol\"=hex(4):01,00,00,00,00\n\"AC97MixerFrontOutVol\"=\"32768\"\n"
       "\"AC97MixerRearOutVol\"=\" +7\\0x\"\n\"ST9704ATTEN\"=hex(3):01,00,00,00\n\"CorrectLA2\"=\"002\"\n"
       "\"ST9708LA4RearInversion\"=hex(b):01,00,00,00,00,00,00,00\n\"DetectSpdifOut\"=\"-0\"\n" + kCP +
       "\"ReverbAmount\"=dword:ffffffff\n\"ChorusAmount\"=\"127\"\n\"ZuvivWavetableEffect\"=hex(7):31,00,00\n"
       "\"QuadCodecOutputModeState\"=dword:00000005\n"
       "\"SoftSynthModeIndex\"=\"99999999999999999999\"\n\"PrimaryXtalk\"=hex(2):31,00\n" + kA3D +
       "\"SplashAudio\"=\"\"\n\"SplashScreen\"=hex(1):\n",
       kNoEQ + "AC97PCMOutVol=5 AC97MixerRearOutVol=7 ChorusAmount=127 CorrectLA2=2 EnableSpdifOut=1 DetectSpdifIn=2 "
               "EnableSpdifIn=1 ",
       "hsbPCM1=5 '5' hsbPCM2=0 '0' hsbFront=0 '32768' hsbRear=7 '7' hsbEffect1=0 - hsbEffect2=127 '127' chkMIDIfx=0 "
       "chkAttenuation=0 chkLA4Inv=0 chkEnOut=1 off chkDetIn=2 chkEnIn=1 off cboWavetableMode=-1 cboA3DType=-1 "
       "chkPlayA3D=0 chkA3DSplash=0 optQuad=-1 - optDigOut=-1 '22050' "},
      // The EQ supported, its enable state missing or a text: no item, and
      // none of its values written.
      {kCu + "\"SupportAnalogEQ\"=dword:1\n" + kCP + "\"AnalogEQEnableState\"=-\n", kRest, "cboAnalogEQ=-1 "},
      {kCu + "\"SupportAnalogEQ\"=dword:1\n" + kCP + "\"AnalogEQEnableState\"=\"on\"\n", kRest, "cboAnalogEQ=-1 "},
      // A level beyond 32 bits is no level the bar shows, not its low bits.
      {kCu + "\"AC97PCMOutVol\"=\"4294967304\"\n",
       kNoEQ + kRest.substr(std::string("AC97PCMOutVol=8 ").size()), "hsbPCM1=0 '4294967304' "},
      // An empty text that holds its terminating zero is a value: not created
      // again; one of no bytes at all is.
      {kCu + "\"SetGPIO0InQuad\"=\"\"\n", kNoEQ + kRest, "chkShare=0 "},
      {kCu + "\"SetGPIO0InQuad\"=hex(1):\n", "SetGPIO0InQuad=0 " + kNoEQ + kRest, "chkShare=0 "}};
  // clang-format on
  for (const auto& [stored, written, looks] : starts) {
    SCOPED_TRACE(stored);
    store.writes.clear();
    Start(stored);
    EXPECT_TRUE(failures.empty() && store.openKeys == 0);
    EXPECT_EQ(Joined(store.writes), written);
    ExpectLooks(*panel, looks);
  }
}

TEST_F(Model, EachChangeWritesItsControlsValuesInOrderAndShowsThem) {
  // Each setting is edited by exactly one declared control, or the panel
  // does not start.
  Declared general;
  DeclareGeneralPage({general, DeclareForm(general), 0});
  EXPECT_THROW(Panel(store, general), Mistake);
  Start();
  // A control, the state the user gives it; what is written, in order, and
  // what it shows then.
  // clang-format off
  const std::tuple<const char*, int, std::string, std::string> changes[] = {
      {"cboA3DType", 1, "PrimaryXtalk=1", ""}, {"cboA3DType", 2, "PrimaryXtalk=2", ""}, {"cboA3DType", 0, "PrimaryXtalk=0", ""},
      {"optQuad", 1, "QuadCodecOutputModeState=1", "optQuad=1 'Quad' "}, {"optQuad", 0, "QuadCodecOutputModeState=0", "optQuad=0 'Stereo' "},
      {"cboWavetableMode", 1, "GamerMode=0 SoftSynthVoices=64 SoftSynthMode=2 SoftSynthModeIndex=1 SoftSynth=2", ""},
      {"cboWavetableMode", 2, "GamerMode=0 SoftSynthVoices=0 SoftSynthMode=0 SoftSynthModeIndex=2 SoftSynth=0", ""},
      {"cboWavetableMode", 0, kVoices320.substr(0, kVoices320.size() - 1), ""},
      {"cboAnalogEQ", 1, Eq(1, 0, 1), ""}, {"cboAnalogEQ", 2, Eq(1, 1, 1), ""}, {"cboAnalogEQ", 3, Eq(1, 2, 1), ""},
      {"cboAnalogEQ", 4, Eq(1, 3, 1), ""}, {"cboAnalogEQ", 5, Eq(1, 4, 1), ""}, {"cboAnalogEQ", 6, Eq(1, 5, 1), ""},
      {"cboAnalogEQ", 0, Eq(0, 3, 0), ""},
      {"optDigOut", 0, "SpdifFrequency=32000", "optDigOut=0 '32000' "}, {"optDigOut", 1, "SpdifFrequency=44100", "optDigOut=1 '44100' "},
      {"optDigOut", 2, "SpdifFrequency=48000", "optDigOut=2 '48000' "},
      {"chkPlayA3D", 0, "SplashAudio=0", ""}, {"chkA3DSplash", 0, "SplashScreen=0", ""},
      {"chkMIDIfx", 0, "ZuvivWavetableEffect=0", ""}, {"chkShare", 1, "SetGPIO0InQuad=1", ""},
      {"chkST3D", 1, "DisableAC97Codec3DEffect=1", ""}, {"chkAttenuation", 1, "ST9704ATTEN=1", ""},
      {"chkLA2Inv", 1, "CorrectLA2=1", ""}, {"chkLA4Inv", 1, "ST9708LA4RearInversion=1", ""},
      {"chkEnOut", 0, "EnableSpdifOut=0", ""}, {"chkDetOut", 0, "DetectSpdifOut=0", "chkEnOut=0 off "},
      {"chkDetIn", 1, "DetectSpdifIn=1", "chkEnIn=0 "}, {"chkEnIn", 1, "EnableSpdifIn=1", ""},
      {"hsbPCM1", 31, "AC97PCMOutVol=31", "hsbPCM1=31 '31' "}, {"hsbPCM2", 0, "AC97PCM2OutVol=0", "hsbPCM2=0 '0' "},
      {"hsbFront", 9, "AC97MixerFrontOutVol=9", ""}, {"hsbRear", 1, "AC97MixerRearOutVol=1", "hsbRear=1 '1' "},
      {"hsbEffect1", 127, "ReverbAmount=127", "hsbEffect1=127 '127' "}, {"hsbEffect2", 5, "ChorusAmount=5", "hsbEffect2=5 '5' "},
      // The state a control shows already writes nothing; nor does a state it cannot take.
      {"hsbEffect2", 5, "", ""}, {"chkPlayA3D", 0, "", ""}, {"hsbRear", 32, "", "hsbRear=1 '1' "}};
  // clang-format on
  for (const auto& [control, state, written, looks] : changes) {
    SCOPED_TRACE(std::string(control) + "=" + std::to_string(state));
    store.writes.clear();
    EXPECT_FALSE(panel->Change(F(control), state));
    EXPECT_EQ(Joined(store.writes), written + (written.empty() ? "" : " "));
    ExpectLooks(*panel, looks);
  }
}

// A file in the temporary folder: written with these bytes, or read whole.
const std::string kFile = std::string(std::getenv("TEMP")) + "\\calvane-model.reg";
const std::wstring kPath(kFile.begin(), kFile.end());
void Write(const std::string& bytes) { std::ofstream(kFile, std::ios::binary) << bytes; }
std::string Read() {
  std::ifstream file(kFile, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// A value as a settings file gives it, below its key.
std::string Value(const std::string& key, const char* name, unsigned n) {
  char line[200];
  std::snprintf(line, sizeof line, "%s\"%s\"=dword:%08x\n", key.c_str(), name, n);
  return line;
}
// Each value with the numbers at the ends of what its control can show (a
// list's first and last item's rows).
// clang-format off
struct Range { const std::string& key; const char* name; unsigned low, high; };
const Range kRanges[] = {
    {kCP, "ZuvivWavetableEffect", 0, 2}, {kCP, "ReverbAmount", 0, 127}, {kCP, "ChorusAmount", 0, 127},
    {kCP, "QuadCodecOutputModeState", 0, 1}, {kCP, "PrimaryXtalk", 0, 2}, {kCu, "AC97PCMOutVol", 0, 31},
    {kCu, "AC97PCM2OutVol", 0, 31}, {kCu, "AC97MixerFrontOutVol", 0, 31}, {kCu, "AC97MixerRearOutVol", 0, 31},
    {kCu, "SpdifFrequency", 32000, 48000}, {kCu, "DisableAC97Codec3DEffect", 0, 2}, {kCu, "ST9704ATTEN", 0, 2},
    {kCu, "CorrectLA2", 0, 2}, {kCu, "ST9708LA4RearInversion", 0, 2}, {kCu, "SetGPIO0InQuad", 0, 2},
    {kCu, "DetectSpdifOut", 0, 2}, {kCu, "DetectSpdifIn", 0, 2}, {kCu, "EnableSpdifOut", 0, 2},
    {kCu, "EnableSpdifIn", 0, 2}, {kA3D, "SplashAudio", 0, 2}, {kA3D, "SplashScreen", 0, 2},
    {kCP, "GamerMode", 1, 0}, {kCP, "SoftSynthVoices", 256, 0}, {kCP, "SoftSynthMode", 3, 0},
    {kCP, "SoftSynthModeIndex", 0, 2}, {kCP, "SoftSynth", 2, 0}, {kCu, "SupportAnalogEQ", 0, 1},
    {kCP, "AnalogEQSrcLine", 3, 5}, {kCP, "AnalogEQEnableState", 0, 1}};
// clang-format on
// A file of all 29 values, at the top ends or the bottom ends.
std::string Ranges(bool top) {
  std::string file = "REGEDIT4\n";
  for (const auto& [key, name, low, high] : kRanges) file += Value(key, name, top ? high : low);
  return file;
}

TEST_F(Model, SaveWritesWhatIsShownOfWhatIsStoredAndLoadStoresItBack) {
  // A chorus amount no control can show is left out; so is the missing
  // S/PDIF input switch. The A3D key as a 64-bit registry editor names it.
  Start(kCP + "\"ChorusAmount\"=\"x\"\n" + kCu + "\"EnableSpdifIn\"=-\n");
  const SaveOutcome saved = SaveSettings(*panel, kPath);
  EXPECT_TRUE(!saved.error && saved.saved == 27 &&
              saved.leftOut == (std::vector{Setting::ChorusAmount, Setting::EnableSpdifIn}));
  const std::string service = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\";
  EXPECT_EQ(
      Read(),
      "REGEDIT4\r\n\r\n" + service +
          "ControlPanel]\r\n"
          "\"ZuvivWavetableEffect\"=dword:00000001\r\n\"ReverbAmount\"=dword:00000040\r\n"
          "\"QuadCodecOutputModeState\"=dword:00000000\r\n\"AnalogEQSrcLine\"=dword:00000003\r\n"
          "\"AnalogEQEnableState\"=dword:00000000\r\n\"SoftSynthModeIndex\"=dword:00000000\r\n"
          "\"PrimaryXtalk\"=dword:00000000\r\n\"GamerMode\"=dword:00000001\r\n\"SoftSynthVoices\"=dword:00000100\r\n"
          "\"SoftSynthMode\"=dword:00000003\r\n\"SoftSynth\"=dword:00000002\r\n\r\n" +
          service +
          "Customization]\r\n"
          "\"AC97PCMOutVol\"=dword:00000008\r\n\"AC97PCM2OutVol\"=dword:00000008\r\n"
          "\"AC97MixerFrontOutVol\"=dword:00000008\r\n\"AC97MixerRearOutVol\"=dword:00000008\r\n"
          "\"SpdifFrequency\"=dword:0000bb80\r\n\"DisableAC97Codec3DEffect\"=dword:00000000\r\n"
          "\"ST9704ATTEN\"=dword:00000000\r\n\"CorrectLA2\"=dword:00000000\r\n"
          "\"ST9708LA4RearInversion\"=dword:00000000\r\n\"SetGPIO0InQuad\"=dword:00000000\r\n"
          "\"DetectSpdifOut\"=dword:00000001\r\n\"DetectSpdifIn\"=dword:00000000\r\n"
          "\"EnableSpdifOut\"=dword:00000001\r\n\"SupportAnalogEQ\"=dword:00000000\r\n\r\n"
          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Zedave\\A3D]\r\n"
          "\"SplashAudio\"=dword:00000001\r\n\"SplashScreen\"=dword:00000001\r\n");
  // Changed on four pages, then loaded back: every value as it was, the
  // rate stored as text chosen and so a number now; each list's whole row.
  std::string stored = Dump();
  const std::string file = Read();
  for (auto [control, state] : {std::pair{"cboWavetableMode", 2}, {"chkShare", 1}, {"hsbRear", 31}, {"cboAnalogEQ", 5}})
    panel->Change(F(control), state);
  store.writes.clear();
  const LoadOutcome loaded = LoadSettings(*panel, kPath);
  EXPECT_FALSE(loaded.refused || loaded.unshowable || loaded.failure);
  EXPECT_EQ(store.writes.size(), 27u) << "every value the file gives, even those shown already";
  stored.replace(stored.find("SpdifFrequency=\"48000\""), 22, "SpdifFrequency=dword:0000bb80");
  EXPECT_EQ(Dump(), stored);
  ExpectLooks(*panel, "cboWavetableMode=0 chkShare=0 hsbRear=8 '8' cboAnalogEQ=0 optDigOut=2 '48000' ");

  // Every control's states at each end of its range load, one beyond is
  // refused at its line and nothing is written; lists as whole rows.
  for (bool top : {true, false}) {
    Write(Ranges(top));
    EXPECT_FALSE(LoadSettings(*panel, kPath).failure);
    for (const auto& [key, name, low, high] : kRanges) {
      char line[80];
      std::snprintf(line, sizeof line, "\\%s=dword:%08x\n", name, top ? high : low);
      EXPECT_NE(Dump().find(line), std::string::npos) << line;
    }
  }
  stored = Dump();
  for (const auto& [key, name, low, high] : kRanges) {
    Write("REGEDIT4\n" + Value(key, name, std::max(high, low) + 1));
    const auto refused = LoadSettings(*panel, kPath).unshowable;
    EXPECT_TRUE(refused && refused->line == 3) << name;
  }
  EXPECT_EQ(Dump(), stored);

  // A list's values the file does not give are taken as stored: with the
  // line and enable state stored, "SupportAnalogEQ" 1 alone selects that
  // line's item and stores its whole row; a voice-mode index alone does not
  // make an item with the other values stored. A missing key's values are
  // skipped, the rest stored.
  Apply(kCP + "\"AnalogEQSrcLine\"=\"2\"\n\"AnalogEQEnableState\"=dword:1\n[-" + kA3D.substr(1));
  Write("REGEDIT4\n" + Value(kCu, "SupportAnalogEQ", 1) + Value(kA3D, "SplashAudio", 0) +
        Value(kCP, "ChorusAmount", 9));
  store.writes.clear();
  const LoadOutcome partial = LoadSettings(*panel, kPath);
  EXPECT_TRUE(partial.plan.missingKeys == std::vector{Key::A3D} && partial.plan.skippedForMissingKeys == 1);
  EXPECT_EQ(Joined(store.writes), "ChorusAmount=9 SupportAnalogEQ=1 AnalogEQSrcLine=2 AnalogEQEnableState=1 ");
  ExpectLooks(*panel, "cboAnalogEQ=3 hsbEffect2=9 '9' ");
  Write("REGEDIT4\n" + Value(kCP, "SoftSynthModeIndex", 1));
  EXPECT_TRUE(LoadSettings(*panel, kPath).unshowable);
}

// A change whose k-th value write fails, or whose k-th key open for writing
// fails, for every k: afterwards every value is as before it, byte for byte
// (a value it created deleted again), and the controls show what is stored.
TEST_F(Model, AChangeThatFailsPartWayLeavesEveryValueAsItWas) {
  const std::string all = Ranges(true);
  // What is done, how many values it writes, and what the controls show
  // when nothing was changed. The settings file's values stand as text and
  // as odd-sized dwords, and one of them does not exist yet.
  // clang-format off
  const std::function<void(Model&)> none = [](Model&) {};
  const std::tuple<std::function<void(Model&)>, std::function<std::optional<WriteFailure>(Model&)>, int, std::string> acts[] = {
      {none, [](Model& m) { return m.panel->Change(m.F("cboWavetableMode"), 2); }, 5, "cboWavetableMode=0 "},
      {none, [](Model& m) { return m.panel->Change(m.F("cboAnalogEQ"), 6); }, 3, "cboAnalogEQ=0 "},
      {none, [](Model& m) { return m.panel->Change(m.F("optQuad"), 1); }, 1, "optQuad=-1 'Stereo' "},
      {none, [&all](Model& m) { return Write(all), LoadSettings(*m.panel, kPath).failure; }, 29,
       "hsbEffect1=64 '64' hsbEffect2=0 - chkDetOut=1 chkEnOut=1 cboAnalogEQ=0 optDigOut=-1 '48000' hsbPCM2=8 '8' "},
      // An undo across four pages, after changes on them.
      {[](Model& m) {
         for (auto [c, s] : {std::pair{"chkPlayA3D", 0}, {"hsbFront", 3}, {"cboA3DType", 2}, {"chkShare", 1}, {"hsbEffect1", 1}})
           m.panel->Change(m.F(c), s);
       }, [](Model& m) { return m.panel->Undo().failure; }, 5,
       "chkPlayA3D=0 hsbFront=3 '3' cboA3DType=2 chkShare=1 hsbEffect1=1 '1' "}};
  // clang-format on
  const std::string stored = kCP + "\"ReverbAmount\"=\"64\"\n\"GamerMode\"=hex(4):01,00\n\"ChorusAmount\"=-\n";
  for (const Call call : {Call::Set, Call::OpenToWrite}) {
    for (const auto& [prepare, act, writes, looks] : acts) {
      for (int k = 1; k <= (call == Call::Set ? writes : 3); ++k) {
        SCOPED_TRACE(testing::Message() << looks << " failing at " << k << (call == Call::Set ? " write" : " open"));
        Start(stored);
        prepare(*this);
        const std::string before = Dump();
        store.Fail(call, ERROR_ACCESS_DENIED, k);
        const auto failure = act(*this);
        store.Fail(Call::None, 0);
        if (!failure) {
          EXPECT_TRUE(call == Call::OpenToWrite && k > 1) << "a change set opens at most its keys";
          continue;
        }
        EXPECT_TRUE(failure->status == ERROR_ACCESS_DENIED && failure->notPutBack.empty());
        EXPECT_EQ(Dump(), before);
        ExpectLooks(*panel, looks);
      }
    }
  }
}

// The undo puts back what each value held before the panel first changed
// it, exactly (its type and bytes), but not what another program changed
// since; an undo that failed stays to be tried again. What another program
// stores is shown quietly: nothing is written, a text stays a text.
TEST_F(Model, UndoPutsBackOnlyWhatIsStillThePanelsAndOtherProgramsChangesAreShown) {
  Start(kCP + "\"QuadCodecOutputModeState\"=hex(4):00,00\n");
  EXPECT_FALSE(panel->CanUndo());
  for (auto [control, state] : {std::pair{"optQuad", 1},
                                {"optQuad", 0},
                                {"chkShare", 1},
                                {"hsbEffect2", 7},
                                {"chkDetOut", 0},
                                {"cboWavetableMode", 1}})
    panel->Change(F(control), state);
  // Another program stores the chorus amount as text, the rear-jack switch
  // as 2, and deletes the A3D key.
  Apply(kCP + "\"ChorusAmount\"=\"5\"\n" + kCu + "\"SetGPIO0InQuad\"=dword:2\n[-" + kA3D.substr(1));
  store.writes.clear();
  EXPECT_EQ(panel->Reconcile(),
            (std::vector{Setting::SplashAudio, Setting::SplashScreen, Setting::ChorusAmount, Setting::SetGPIO0InQuad}));
  ExpectLooks(*panel, "hsbEffect2=5 '5' chkShare=2 chkPlayA3D=0 optQuad=0 'Stereo' ");
  EXPECT_EQ(Joined(store.writes), "");
  const std::string changed = Dump();
  EXPECT_NE(changed.find("ControlPanel\\ChorusAmount=\"5\""), std::string::npos);

  // The first write of the undo fails: nothing changes, and it can be tried
  // again, which works.
  store.Fail(Call::Set, ERROR_ACCESS_DENIED, 1);
  EXPECT_TRUE(panel->Undo().failure);
  EXPECT_TRUE(Dump() == changed && panel->CanUndo());
  store.Fail(Call::None, 0);
  const Panel::UndoOutcome undone = panel->Undo();
  EXPECT_FALSE(undone.failure || panel->CanUndo());
  EXPECT_EQ(undone.leftAlone, (std::vector{Setting::ChorusAmount, Setting::SetGPIO0InQuad}));
  EXPECT_EQ(Values("ControlPanel\\QuadCodecOutputModeState ControlPanel\\ChorusAmount ControlPanel\\GamerMode "
                   "Customization\\SetGPIO0InQuad Customization\\DetectSpdifOut"),
            "ControlPanel\\QuadCodecOutputModeState=hex(4):00,00\nControlPanel\\ChorusAmount=\"5\"\n"
            "ControlPanel\\GamerMode=dword:00000001\nCustomization\\SetGPIO0InQuad=dword:00000002\n"
            "Customization\\DetectSpdifOut=dword:00000001\n");
  ExpectLooks(*panel, "optQuad=-1 'Stereo' cboWavetableMode=0 chkDetOut=1 chkEnOut=1 hsbEffect2=5 '5' ");
}

// A quiet refresh selects each control's state from the values as they are
// stored now, every value of a list included; and what the panel knows as
// stored is what its start-up read plus its own writes, so that a change
// made before the journal begins (while the start-up's notice is open) is
// still seen, shown and saved.
TEST_F(Model, ARefreshShowsWhatIsStoredNowWhateverTheStartUpRead) {
  // The list, the stored values, the user's item, another program's value,
  // and the item shown then.
  // clang-format off
  const std::tuple<const char*, std::string, int, std::string, std::string> lists[] = {
      {"cboWavetableMode", kCP + "\"SoftSynthModeIndex\"=dword:1\n", 2, kCP + "\"SoftSynthVoices\"=dword:100\n",
       "cboWavetableMode=2 "},
      {"cboAnalogEQ", kCu + "\"SupportAnalogEQ\"=dword:1\n" + kCP + "\"AnalogEQSrcLine\"=dword:2\n\"AnalogEQEnableState\"=dword:1\n",
       0, kCP + "\"AnalogEQSrcLine\"=dword:4\n", "cboAnalogEQ=0 "},
      {"cboAnalogEQ", "", 2, kCP + "\"AnalogEQSrcLine\"=dword:4\n", "cboAnalogEQ=5 "}};
  // clang-format on
  for (const auto& [list, stored, item, outside, looks] : lists) {
    SCOPED_TRACE(outside);
    Start(stored);
    EXPECT_FALSE(panel->Change(F(list), item));
    Apply(outside);
    EXPECT_EQ(panel->Reconcile().size(), 1u);
    ExpectLooks(*panel, looks);
  }

  keys.emplace(kFreshInstall);
  panel.emplace(store, Pages());
  panel->StartUp();
  Apply(kCP + "\"PrimaryXtalk\"=dword:2\n");
  panel->BeginJournal();
  EXPECT_EQ(panel->Reconcile(), std::vector{Setting::PrimaryXtalk});
  ExpectLooks(*panel, "cboA3DType=2 ");
  EXPECT_FALSE(SaveSettings(*panel, kPath).error);
  EXPECT_NE(Read().find("\"PrimaryXtalk\"=dword:00000002"), std::string::npos);
}

}  // namespace
}  // namespace calvane::test
