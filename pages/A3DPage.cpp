// Page "A3D Settings": the A3D output type and the codec's stereo/quad mode.
#include "pages/Pages.h"
#include "pages/ResourceIds.h"

namespace calvane {
namespace {

// cboA3DType: each item stores its own index.
std::vector<ListField::Item> Types() {
  return {{L"Headphones", {0}}, {L"Satellite Speakers", {1}}, {L"Monitor Speakers", {2}}};
}

constexpr const wchar_t* kAboutA3D =
    L"This page allows you to configure the A3D settings for your Zedave Calvane 2 sound card.  "
    L"I haven't yet implemented Quad support in the A3D Type selection because I do not have "
    L"Quad-capable card.  This means that the box below is merely experimental, as are the "
    L"sliders on the AC'97 Controls page.";

}  // namespace

void DeclareA3DPage(PageRows page) {
  using K = Kind;
  // clang-format off
  // The list shows the item whose index is stored; the entry PrimaryXtalk
  // keeps what the start-up read.
  auto& frame7 = page.Add(K::Frame, "Frame7", L"A3D Type", {240, 480, 4575, 855}, 60);
  page.Add(K::DropDown, "cboA3DType", nullptr, {1680, 360, 1935, 315}, 61, &frame7).NamedBy(frame7)
      .Tip(L"A3D output type: headphones, satellite speakers or monitor speakers.")
      .Edits<ListField>(21, std::vector{Setting::PrimaryXtalk}, Types(), &StoredIndex<Setting::PrimaryXtalk>);
  page.Add(K::Image, "Image2", nullptr, {240, 1440, 870, 1455}, -1).Picture(IDB_IMAGE2);
  page.Add(K::Label, "Label13", kAboutA3D, {1320, 1560, 3255, 1455}, 65);

  // optQuad stores 0 for "&Stereo", 1 for "&Quad"; lblQuad names the stored
  // mode and keeps its placeholder for any other number. The start-up
  // selects neither button.
  auto& frame4 = page.Add(K::Frame, "Frame4", L"Quad Codec Output Mode", {240, 3120, 2655, 735}, 47);
  auto& mode = page.Add(K::Option, "optQuad", L"&Stereo", {120, 240, 855, 375}, 48, &frame4).NamedBy(frame4)
      .Tip(L"Codec output mode: stereo (two speakers) or quad (four speakers).")
      .Edits<ChoiceField>(0, Setting::QuadCodecOutputModeState,
                          std::vector<ChoiceField::Option>{{0, L"Stereo"}, {1, L"Quad"}});
  page.Add(K::Option, "optQuad", L"&Quad", {1560, 240, 855, 375}, 49, &frame4).Joins(mode, 1);
  page.Add(K::Label, "Label6", L"Current Mode", {3240, 3120, 1695, 255}, 51);
  page.Add(K::Label, "lblQuad", L"Label6", {3360, 3480, 1095, 255}, 50).Shows(mode);
  // clang-format on
}

}  // namespace calvane
