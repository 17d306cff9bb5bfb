#include "window/pages/DigitalPage.h"

#include "window/pages/Bindings.h"

namespace calvane {
namespace {

// optDigOut: the rate each button stores and shows, in hertz.
constexpr const wchar_t* kRates[] = {L"32000", L"44100", L"48000"};

// In fill order; a detection box enables its enable box only while ticked.
struct SpdifRow {
  const char* box;
  Setting setting;
  const char* enables;
};
constexpr SpdifRow kSpdif[] = {
    {"chkDetOut", Setting::DetectSpdifOut, "chkEnOut"},
    {"chkEnOut", Setting::EnableSpdifOut, nullptr},
    {"chkDetIn", Setting::DetectSpdifIn, "chkEnIn"},
    {"chkEnIn", Setting::EnableSpdifIn, nullptr},
};

// cboAnalogEQ: what each item writes, in the order written.
constexpr Setting kEQSettings[] = {Setting::SupportAnalogEQ, Setting::AnalogEQSrcLine,
                                   Setting::AnalogEQEnableState};
constexpr int kLineColumn = 1;
constexpr std::int16_t kEQ[][3] = {
    {0, 3, 0},  // "None"
    {1, 0, 1},  // "Phone"
    {1, 1, 1},  // "Microphone"
    {1, 2, 1},  // "Line-In"
    {1, 3, 1},  // "CD-ROM"
    {1, 4, 1},  // "Video"
    {1, 5, 1},  // "Auxiliary"
};

constexpr const wchar_t* kOutputNote =
    L"This will override the detection for support for Digital Output";
constexpr const wchar_t* kInputNote =
    L"This will override the detection for support for Digital Input";

}  // namespace

DigitalPage::DigitalPage(Form1& form) : form_(form) {
  // The group holds the rate that lblDigOut shows, when it is one of its own.
  auto rateIndex = [](long long rate) -> std::optional<int> {
    for (int i = 0; i < static_cast<int>(std::size(kRates)); ++i) {
      if (ReadNumber(kRates[i], 0, 48000) == rate) return i;
    }
    return std::nullopt;
  };
  form.Bind(
      {"optDigOut",
       {Setting::SpdifFrequency},
       [&form, rateIndex]() -> std::optional<std::vector<std::uint32_t>> {
         const auto rate = ReadAnyNumber(form.snapshot().Text(Setting::SpdifFrequency));
         if (!rate || !rateIndex(*rate)) return std::nullopt;
         return std::vector{static_cast<std::uint32_t>(*rate)};
       },
       [rateIndex](const std::vector<std::uint32_t>& numbers) { return rateIndex(numbers[0]); },
       [&form](int index) { form.Group("optDigOut").Select(index); }});
  form.Group("optDigOut").onClick = [this](int index) {
    std::wstring& entry = form_.snapshot().Text(Setting::SpdifFrequency);
    entry = kRates[index];
    form_.Write(Setting::SpdifFrequency, SettingValue(entry));
    FillRateLabel();
  };

  for (const SpdifRow& row : kSpdif) {
    std::function<void(int)> enable;
    if (row.enables) {
      CheckBox& companion = form.Get<CheckBox>(row.enables);
      enable = [&companion](int state) { companion.SetEnabled(state == 1); };
    }
    BindSwitch(form, row.box, row.setting, std::move(enable));
  }

  BindRows(form, "cboAnalogEQ", kEQSettings, kEQ);

  form.Get<PushButton>("cmdDO").onClick = [&form] { form.Inform(kOutputNote); };
  form.Get<PushButton>("cmdDI").onClick = [&form] { form.Inform(kInputNote); };
}

void DigitalPage::FillAnalogEQ() {
  // S, then E only when S is 1, then L only when E is 1 too, each compared as
  // the number it holds, however large. A stored number that matches no
  // item, or an entry that is no number, selects nothing.
  DropDown& eq = form_.Get<DropDown>("cboAnalogEQ");
  auto number = [this](Setting setting) { return ReadAnyNumber(form_.snapshot().Text(setting)); };
  const auto support = number(Setting::SupportAnalogEQ);
  if (support == 0) return eq.SetIndex(0);
  if (support != 1) return;
  const auto enable = number(Setting::AnalogEQEnableState);
  if (!enable) return;
  if (enable != 1) return eq.SetIndex(0);
  const auto line = number(Setting::AnalogEQSrcLine);
  for (int index = 1; index < static_cast<int>(std::size(kEQ)); ++index) {
    if (line == kEQ[index][kLineColumn]) return eq.SetIndex(index);
  }
}

void DigitalPage::FillRateLabel() {
  // A rate read from REG_SZ data ends in its terminating zero; show the text
  // before it.
  const std::wstring& rate = form_.snapshot().Text(Setting::SpdifFrequency);
  form_.Get<Label>("lblDigOut").SetCaption(rate.substr(0, rate.find(L'\0')));
}

void DigitalPage::FillSpdifSwitches() {
  for (const SpdifRow& row : kSpdif) FillSwitch(form_, row.box, row.setting);
}

void DigitalPage::FillEnabling() {
  // An enable box is usable only while its detection switch is ticked; a
  // detection entry the box could not show counts as not ticked.
  for (const SpdifRow& row : kSpdif) {
    if (row.enables && EntryNumber(form_, row.setting) != 1) {
      form_.Get<CheckBox>(row.enables).SetEnabled(false);
    }
  }
}

}  // namespace calvane
