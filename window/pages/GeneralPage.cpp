#include "window/pages/GeneralPage.h"

#include "window/pages/Bindings.h"

namespace calvane {
namespace {

constexpr SwitchRow kSwitches[] = {
    {"chkPlayA3D", Setting::SplashAudio},
    {"chkA3DSplash", Setting::SplashScreen},
};

}  // namespace

GeneralPage::GeneralPage(Form1& form) : form_(form) {
  for (const SwitchRow& row : kSwitches) BindSwitch(form, row.box, row.setting);
}

void GeneralPage::FillSplashSwitches() {
  for (const SwitchRow& row : kSwitches) FillSwitch(form_, row.box, row.setting);
}

}  // namespace calvane
