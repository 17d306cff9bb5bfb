#include "window/pages/Pages.h"

namespace calvane {

const Declared& Pages() {
  static const Declared pages = [] {
    Declared all;
    DeclareGeneralPage(all);
    DeclareMidiPage(all);
    DeclareA3DPage(all);
    DeclareAC97Page(all);
    DeclareDigitalPage(all);
    // The EQ source (step 1), the level bars (2), the amount sliders (3), the
    // check boxes (6 and 8), the voice mode and then the A3D type (9). The
    // labels (steps 4, 5, 7, 10) and the enabling of the S/PDIF enable boxes
    // (11) follow from the snapshot once the fill is done; they write nothing.
    all.fillOrder = {"cboAnalogEQ",  "hsbPCM1",        "hsbPCM2",   "hsbFront",  "hsbRear",
                     "hsbEffect1",   "hsbEffect2",     "chkMIDIfx", "chkST3D",   "chkPlayA3D",
                     "chkA3DSplash", "chkAttenuation", "chkLA2Inv", "chkLA4Inv", "chkShare",
                     "chkDetOut",    "chkEnOut",       "chkDetIn",  "chkEnIn",   "cboWavetableMode",
                     "cboA3DType"};
    return all;
  }();
  return pages;
}

}  // namespace calvane
