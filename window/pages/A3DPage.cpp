#include "window/pages/A3DPage.h"

#include "window/pages/Bindings.h"

namespace calvane {
namespace {

// cboA3DType: "Headphones", "Satellite Speakers", "Monitor Speakers" store
// their own index.
constexpr Setting kTypeSettings[] = {Setting::PrimaryXtalk};
constexpr std::int16_t kTypes[][1] = {{0}, {1}, {2}};

// optQuad: the entry and value each button stores, and what lblQuad reads.
struct ModeRow {
  const wchar_t* stored;
  const wchar_t* shown;
};
constexpr ModeRow kModes[] = {
    {L"0", L"Stereo"},
    {L"1", L"Quad"},
};

}  // namespace

A3DPage::A3DPage(Form1& form) : form_(form) {
  // The entry PrimaryXtalk keeps what the start-up read.
  BindRows(form, "cboA3DType", kTypeSettings, kTypes);

  // The group holds the mode that lblQuad shows.
  BindNumber(
      form, "optQuad", Setting::QuadCodecOutputModeState, 1,
      [&form]() -> std::optional<int> {
        const auto mode = EntryNumber(form, Setting::QuadCodecOutputModeState);
        if (mode != 0 && mode != 1) return std::nullopt;
        return mode;
      },
      [&form](int mode) { form.Group("optQuad").Select(mode); });
  form.Group("optQuad").onClick = [this](int index) {
    std::wstring& entry = form_.snapshot().Text(Setting::QuadCodecOutputModeState);
    entry = kModes[index].stored;
    form_.Write(Setting::QuadCodecOutputModeState, SettingValue(entry));
    FillQuadLabel();
  };
}

void A3DPage::FillType() { FillIndex(form_, "cboA3DType", Setting::PrimaryXtalk); }

void A3DPage::FillQuadLabel() {
  // Any other stored mode leaves the caption as it is.
  const auto mode = EntryNumber(form_, Setting::QuadCodecOutputModeState);
  for (int k = 0; k < static_cast<int>(std::size(kModes)); ++k) {
    if (mode == k) form_.Get<Label>("lblQuad").SetCaption(kModes[k].shown);
  }
}

}  // namespace calvane
