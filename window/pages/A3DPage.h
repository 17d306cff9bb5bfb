// Page "A3D Settings": the A3D output type and the codec's stereo/quad mode.
#pragma once

#include "window/Form1.h"

namespace calvane {

class A3DPage {
 public:
  explicit A3DPage(Form1& form);
  void FillType();       // fill step 9, after the wavetable mode
  void FillQuadLabel();  // fill step 10

 private:
  Form1& form_;
};

}  // namespace calvane
