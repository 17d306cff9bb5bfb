// Page "General": the A3D splash sound and splash screen switches.
#pragma once

#include "window/Form1.h"

namespace calvane {

class GeneralPage {
 public:
  explicit GeneralPage(Form1& form);
  void FillSplashSwitches();  // fill step 6: chkPlayA3D, then chkA3DSplash

 private:
  Form1& form_;
};

}  // namespace calvane
