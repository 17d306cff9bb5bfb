// Page "MIDI": the wavetable voice mode, the effects switch and the reverb
// and chorus amounts.
#pragma once

#include "window/Form1.h"

namespace calvane {

class MidiPage {
 public:
  explicit MidiPage(Form1& form);
  void FillAmounts();        // fill step 3: hsbEffect1, then hsbEffect2
  void FillEffectsSwitch();  // fill step 6, first: chkMIDIfx
  void FillVoiceMode();      // fill step 9, before the A3D type

 private:
  Form1& form_;
};

}  // namespace calvane
