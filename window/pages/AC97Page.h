// Page "AC'97 Controls": four output levels with their number labels, five
// codec switches and the level scale's information box.
#pragma once

#include "window/Form1.h"

namespace calvane {

class AC97Page {
 public:
  explicit AC97Page(Form1& form);
  void FillLevels();          // fill step 2
  void FillLevelLabels();     // fill step 4
  void Fill3DSwitch();        // fill step 6, after chkMIDIfx
  void FillOutputSwitches();  // fill step 6, after chkA3DSplash

 private:
  Form1& form_;
};

}  // namespace calvane
