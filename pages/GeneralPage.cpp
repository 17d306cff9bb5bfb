// Page "General": the A3D splash sound and splash screen switches, with the
// card's picture.
#include "pages/Pages.h"
#include "pages/ResourceIds.h"

namespace calvane {

void DeclareGeneralPage(PageRows page) {
  using K = Kind;
  // clang-format off
  page.Add(K::Picture,  "Picture1",     nullptr,                      {1440, 600,  1920, 1770}, 64).Picture(IDB_PICTURE1);
  page.Add(K::ListView, "ListView1",    nullptr,                      {240,  480,  4335, 1935}, 12);
  page.Add(K::CheckBox, "chkPlayA3D",   L"&Play A3D splash audio.",   {240,  2640, 2295, 255},  3)
      .Tip(L"Play the A3D splash sound when Windows starts.")
      .Edits<SwitchField>(10, Setting::SplashAudio);
  page.Add(K::Image,    "Image1",       nullptr,                      {3000, 2640, 1620, 1170}, -1).Picture(IDB_IMAGE1);
  page.Add(K::CheckBox, "chkA3DSplash", L"&Show A3D splash screen.",  {240,  3000, 2295, 255},  4)
      .Tip(L"Show the A3D splash screen when Windows starts.")
      .Edits<SwitchField>(11, Setting::SplashScreen);
  page.Add(K::CheckBox, "chkVIA",       L"Enable VIA compatibility.", {240,  3360, 2175, 255},  29).Disabled();
  // clang-format on
}

}  // namespace calvane
