// Page "General": the A3D splash sound and splash screen switches.
#include "window/pages/Pages.h"

namespace calvane {

void DeclareGeneralPage(Declared& page) {
  page.Add<SwitchField>("chkPlayA3D", Setting::SplashAudio,
                        L"Play the A3D splash sound when Windows starts.");
  page.Add<SwitchField>("chkA3DSplash", Setting::SplashScreen,
                        L"Show the A3D splash screen when Windows starts.");
}

}  // namespace calvane
