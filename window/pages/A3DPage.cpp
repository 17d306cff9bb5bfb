// Page "A3D Settings": the A3D output type and the codec's stereo/quad mode.
#include "window/pages/Pages.h"

namespace calvane {
namespace {

// cboA3DType: each item stores its own index.
std::vector<ListField::Item> Types() {
  return {{L"Headphones", {0}}, {L"Satellite Speakers", {1}}, {L"Monitor Speakers", {2}}};
}

}  // namespace

void DeclareA3DPage(Declared& page) {
  // The list shows the item whose index is stored; the entry PrimaryXtalk
  // keeps what the start-up read.
  page.Add<ListField>("cboA3DType", std::vector{Setting::PrimaryXtalk}, Types(),
                      &StoredIndex<Setting::PrimaryXtalk>,
                      L"A3D output type: headphones, satellite speakers or monitor speakers.");
  // optQuad stores 0 for "&Stereo", 1 for "&Quad"; lblQuad names the stored
  // mode and keeps its placeholder for any other number. The start-up
  // selects neither button.
  page.Add<ChoiceField>("optQuad", "lblQuad", Setting::QuadCodecOutputModeState,
                        std::vector<ChoiceField::Option>{{0, L"Stereo"}, {1, L"Quad"}},
                        L"Codec output mode: stereo (two speakers) or quad (four speakers).");
}

}  // namespace calvane
