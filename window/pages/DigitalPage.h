// Page "Digital Out/EQ": the S/PDIF output rate, the S/PDIF detection and
// enable switches, and the source of the analog EQ.
#pragma once

#include "window/Form1.h"

namespace calvane {

class DigitalPage {
 public:
  explicit DigitalPage(Form1& form);
  void FillAnalogEQ();       // fill step 1
  void FillRateLabel();      // fill steps 5 and 7
  void FillSpdifSwitches();  // fill step 8
  void FillEnabling();       // fill step 11

 private:
  Form1& form_;
};

}  // namespace calvane
