// The start-up reads and the creation of SetGPIO0InQuad, against the test
// prefix's real registry.
#include "settings/Snapshot.h"

#include <gtest/gtest.h>

#include "tests/support/FailingStore.h"
#include "tests/support/Registration.h"

namespace calvane {
namespace {

using S = Setting;
constexpr char kCustomization[] =
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization]\n";

class SnapshotTest : public ::testing::Test {
 protected:
  // The start-up as the window runs it, writing through the catalogue.
  Snapshot StartUp() {
    statuses.clear();
    return ReadSnapshot(store, [this](Setting setting, const SettingValue& value) {
      statuses.push_back(WriteSetting(store, setting, value));
    });
  }

  test::DriverKeys keys{R"(
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\wdm_au8830\ControlPanel]
"PrimaryXtalk"=dword:ffffffff
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\wdm_au8830\Customization]
"SpdifFrequency"=dword:0000bb80
"SetGPIO0InQuad"=dword:00000000
"AC97PCMOutVol"=dword:00011170
"AC97PCM2OutVol"=hex(4):05,00
"AC97MixerFrontOutVol"=dword:ffff8000
[HKEY_LOCAL_MACHINE\Software\Zedave\A3D]
"SplashScreen"="2"
)"};
  SystemRegistry system;
  test::FailingStore store{system};
  std::vector<LONG> statuses;  // of the start-up's writes
};

TEST_F(SnapshotTest, EachValueIsReadOnceForReadingOnlyAndKeptAsFound) {
  const std::string before = test::Dump();
  const Snapshot snapshot = StartUp();
  EXPECT_EQ(snapshot.Text(S::PrimaryXtalk), L"-1");
  EXPECT_EQ(snapshot.Text(S::SpdifFrequency), L"48000");
  EXPECT_EQ(snapshot.Text(S::SplashScreen), std::wstring(L"2\0", 2)) << "keeps its terminator";
  EXPECT_EQ(snapshot.Text(S::ReverbAmount), L"") << "missing value";
  EXPECT_EQ(snapshot.Level(S::AC97PCMOutVol), std::nullopt) << "never wrapped";
  EXPECT_EQ(snapshot.LevelText(S::AC97PCMOutVol), L"70000");
  EXPECT_EQ(snapshot.Level(S::AC97PCM2OutVol), 5) << "two bytes";
  EXPECT_EQ(snapshot.Level(S::AC97MixerFrontOutVol), -32768);
  EXPECT_EQ(snapshot.Level(S::AC97MixerRearOutVol), 0) << "missing level";
  EXPECT_TRUE(statuses.empty());
  EXPECT_EQ(test::Dump(), before);
  // 25 reads, each through a key opened for reading and closed again.
  EXPECT_EQ(store.opens, std::vector<REGSAM>(25, KEY_QUERY_VALUE));
  EXPECT_EQ(store.openKeys, 0);
}

TEST_F(SnapshotTest, RearJackSwitchIsCreatedAsZeroOnlyWhenItReadsAsTheEmptyText) {
  // What SetGPIO0InQuad holds; what it holds after the start-up. An empty
  // REG_SZ with its terminator is one zero character; two bytes hold 1.
  const std::pair<const char*, const char*> cases[] = {{"-", "dword:00000000"},
                                                       {"\"\"", "\"\""},
                                                       {"hex(1):", "dword:00000000"},
                                                       {"hex(3):01", "dword:00000000"},
                                                       {"hex(4):", "dword:00000000"},
                                                       {"hex(4):01,00", "hex(4):01,00"},
                                                       {"hex(4):01,00,00,00,00", "dword:00000000"}};
  for (const auto& [stored, after] : cases) {
    SCOPED_TRACE(stored);
    test::Apply(kCustomization + std::string("\"SetGPIO0InQuad\"=") + stored);
    StartUp();
    EXPECT_EQ(test::Values("Customization\\SetGPIO0InQuad"),
              "Customization\\SetGPIO0InQuad=" + std::string(after) + "\n");
    EXPECT_EQ(statuses.size(), std::size_t{std::string_view(after) == "dword:00000000"});
  }
  test::Apply(
      "[-HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wdm_au8830\\Customization]");
  EXPECT_EQ(StartUp().Text(S::SetGPIO0InQuad), L"");
  EXPECT_EQ(statuses, std::vector<LONG>{ERROR_FILE_NOT_FOUND});
  EXPECT_EQ(test::Values("Customization\\SetGPIO0InQuad"),
            "Customization\\SetGPIO0InQuad missing\n");
}

}  // namespace
}  // namespace calvane
