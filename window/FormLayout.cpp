#include "window/FormLayout.h"

#include "model/Mistake.h"

#include "window/ResourceIds.h"

namespace calvane {
namespace {

constexpr const wchar_t* kAboutA3D =
    L"This page allows you to configure the A3D settings for your Zedave Calvane 2 sound card.  "
    L"I haven't yet implemented Quad support in the A3D Type selection because I do not have "
    L"Quad-capable card.  This means that the box below is merely experimental, as are the "
    L"sliders on the AC'97 Controls page.";

using K = Kind;
constexpr const char* kTab = "SSTab1";

// clang-format off
constexpr ControlRow kRows[] = {
  // kind          name                caption                                        container  page left  top   width height tab
  {K::Tabs,       "SSTab1",           nullptr,                                        "Form1",   -1, 120,  120,  5055, 4095, 2},
  {K::PushButton, "cmdOK",            L"&OK",                                         "Form1",   -1, 2880, 4320, 1095, 375,  1},
  {K::PushButton, "Command1",         L"Help",                                        "Form1",   -1, 4080, 4320, 1095, 375,  0, true},
  {K::Label,      "Version",          L"Version 1.1.0",                               "Form1",   -1, 120,  4440, 1095, 255,  34},

  // "General"
  {K::Picture,    "Picture1",         nullptr,                                        kTab,      0,  1440, 600,  1920, 1770, 64, false, 0, nullptr, IDB_PICTURE1},
  {K::ListView,   "ListView1",        nullptr,                                        kTab,      0,  240,  480,  4335, 1935, 12},
  {K::CheckBox,   "chkPlayA3D",       L"&Play A3D splash audio.",                     kTab,      0,  240,  2640, 2295, 255,  3},
  {K::Image,      "Image1",           nullptr,                                        kTab,      0,  3000, 2640, 1620, 1170, -1, false, 0, nullptr, IDB_IMAGE1},
  {K::CheckBox,   "chkA3DSplash",     L"&Show A3D splash screen.",                    kTab,      0,  240,  3000, 2295, 255,  4},
  {K::CheckBox,   "chkVIA",           L"Enable VIA compatibility.",                   kTab,      0,  240,  3360, 2175, 255,  29, true},

  // "MIDI"
  {K::Frame,      "Frame1",           L"Effect &1 (Reverb)",                          kTab,      1,  240,  480,  4575, 855,  5, false, 0, "hsbEffect1"},
  {K::DropDown,   "cboEffect1",       nullptr,                                        "Frame1",  1,  120,  360,  1815, 315,  7, true},
  {K::Slider,     "hsbEffect1",       nullptr,                                        "Frame1",  1,  2160, 120,  1815, 615,  38},
  {K::Label,      "lblEffect1",       L"Label13",                                     "Frame1",  1,  4080, 360,  375,  255,  36},
  {K::Frame,      "Frame2",           L"Effect &2 (Chorus)",                          kTab,      1,  240,  1560, 4575, 855,  6, false, 0, "hsbEffect2"},
  {K::DropDown,   "cmdEffect2",       nullptr,                                        "Frame2",  1,  120,  360,  1815, 315,  8, true},
  {K::Slider,     "hsbEffect2",       nullptr,                                        "Frame2",  1,  2160, 120,  1815, 675,  39},
  {K::Label,      "lblEffect2",       L"Label14",                                     "Frame2",  1,  4080, 360,  375,  255,  37},
  {K::CheckBox,   "chkMIDIfx",        L"&Turn Effects On",                            kTab,      1,  240,  2640, 1575, 255,  9},
  {K::Label,      "Label4",           L"&Wavetable Mode:",                            kTab,      1,  600,  3240, 1335, 255,  11, false, 0, "cboWavetableMode"},
  {K::DropDown,   "cboWavetableMode", nullptr,                                        kTab,      1,  2040, 3240, 2775, 315,  10},

  // "A3D Settings"
  {K::Frame,      "Frame7",           L"A3D Type",                                    kTab,      2,  240,  480,  4575, 855,  60, false, 0, "cboA3DType"},
  {K::DropDown,   "cboA3DType",       nullptr,                                        "Frame7",  2,  1680, 360,  1935, 315,  61},
  {K::Image,      "Image2",           nullptr,                                        kTab,      2,  240,  1440, 870,  1455, -1, false, 0, nullptr, IDB_IMAGE2},
  {K::Label,      "Label13",          kAboutA3D,                                      kTab,      2,  1320, 1560, 3255, 1455, 65},
  {K::Frame,      "Frame4",           L"Quad Codec Output Mode",                      kTab,      2,  240,  3120, 2655, 735,  47, false, 0, "optQuad"},
  {K::Option,     "optQuad",          L"&Stereo",                                     "Frame4",  2,  120,  240,  855,  375,  48, false, 0},
  {K::Option,     "optQuad",          L"&Quad",                                       "Frame4",  2,  1560, 240,  855,  375,  49, false, 1},
  {K::Label,      "Label6",           L"Current Mode",                                kTab,      2,  3240, 3120, 1695, 255,  51},
  {K::Label,      "lblQuad",          L"Label6",                                      kTab,      2,  3360, 3480, 1095, 255,  50},

  // "AC'97 Controls"
  {K::CheckBox,   "chkST3D",          L"&Disable SigmaTel 3D Surround Enhancement",   kTab,      3,  240,  600,  3615, 255,  19},
  {K::CheckBox,   "chkShare",         L"&Share Front and Rear Output Jacks",          kTab,      3,  240,  960,  2895, 255,  28},
  {K::CheckBox,   "chkAttenuation",   L"&Enable SigmaTel ST9704 Attenuation",         kTab,      3,  240,  1320, 3255, 255,  40},
  {K::CheckBox,   "chkLA2Inv",        L"ST&9708LA2 Rear Inversion",                   kTab,      3,  240,  1680, 2415, 255,  41},
  {K::CheckBox,   "chkLA4Inv",        L"ST9708LA&4 Rear Inversion",                   kTab,      3,  2640, 1680, 2295, 255,  42},
  {K::Label,      "Label2",           L"+12db",                                       kTab,      3,  1800, 2160, 615,  255,  44},
  {K::Label,      "Label1",           L"0db",                                         kTab,      3,  2400, 2160, 375,  255,  43},
  {K::Label,      "Label3",           L"-34.5dB",                                     kTab,      3,  3720, 2160, 615,  255,  45},
  {K::Label,      "Label7",           L"PCM 1 Out Level",                             kTab,      3,  240,  2400, 1455, 255,  22, false, 0, "hsbPCM1"},
  {K::ScrollBar,  "hsbPCM1",          nullptr,                                        kTab,      3,  1680, 2400, 2535, 255,  20},
  {K::Label,      "lblPCM1",          L"Label13",                                     kTab,      3,  4320, 2400, 495,  255,  30},
  {K::PushButton, "cmdAC97Help",      L"?",                                           kTab,      3,  4680, 3000, 255,  255,  46},
  {K::Label,      "Label8",           L"PCM 2 Out Level",                             kTab,      3,  240,  2760, 1335, 255,  23, false, 0, "hsbPCM2"},
  {K::ScrollBar,  "hsbPCM2",          nullptr,                                        kTab,      3,  1680, 2760, 2535, 255,  21},
  {K::Label,      "lblPCM2",          L"Label14",                                     kTab,      3,  4320, 2760, 495,  255,  31},
  {K::Label,      "Label9",           L"AC'97 Front Output",                          kTab,      3,  240,  3240, 1455, 255,  26, false, 0, "hsbFront"},
  {K::ScrollBar,  "hsbFront",         nullptr,                                        kTab,      3,  1680, 3240, 2535, 255,  24},
  {K::Label,      "lblFront",         L"Label15",                                     kTab,      3,  4320, 3240, 495,  255,  32},
  {K::Label,      "Label10",          L"AC'97 Rear Output",                           kTab,      3,  240,  3600, 1455, 255,  27, false, 0, "hsbRear"},
  {K::ScrollBar,  "hsbRear",          nullptr,                                        kTab,      3,  1680, 3600, 2535, 255,  25},
  {K::Label,      "lblRear",          L"Label16",                                     kTab,      3,  4320, 3600, 495,  255,  33},

  // "Digital Out/EQ"
  {K::Frame,      "Frame3",           L"Output Rate",                                 kTab,      4,  240,  600,  4575, 735,  15, false, 0, "optDigOut"},
  {K::Option,     "optDigOut",        L"&32 kHz",                                     "Frame3",  4,  120,  360,  975,  255,  16, false, 0},
  {K::Option,     "optDigOut",        L"&44.1 kHz",                                   "Frame3",  4,  1680, 360,  975,  255,  17, false, 1},
  {K::Option,     "optDigOut",        L"4&8 kHz",                                     "Frame3",  4,  3120, 360,  975,  255,  18, false, 2},
  {K::Label,      "Label11",          L"Current Output Rate =",                       kTab,      4,  240,  1440, 1695, 255,  52},
  {K::Label,      "lblDigOut",        L"Label13",                                     kTab,      4,  1920, 1440, 495,  255,  35},
  {K::Label,      "Label12",          L"Hz",                                          kTab,      4,  2400, 1440, 615,  255,  53},
  {K::Frame,      "Frame5",           L"Digital Output",                              kTab,      4,  240,  1800, 2175, 1215, 54},
  {K::PushButton, "cmdDO",            L"?",                                           "Frame5",  4,  1800, 360,  255,  255,  62},
  {K::CheckBox,   "chkDetOut",        L"Output Detected",                             "Frame5",  4,  240,  360,  1815, 255,  56},
  {K::CheckBox,   "chkEnOut",         L"Enable Output",                               "Frame5",  4,  240,  720,  1695, 255,  57},
  {K::Frame,      "Frame6",           L"Digital Input",                               kTab,      4,  2640, 1800, 2175, 1215, 55},
  {K::PushButton, "cmdDI",            L"?",                                           "Frame6",  4,  1800, 360,  255,  255,  63},
  {K::CheckBox,   "chkDetIn",         L"Input Detected",                              "Frame6",  4,  240,  360,  1695, 255,  58},
  {K::CheckBox,   "chkEnIn",          L"Enable Input",                                "Frame6",  4,  240,  720,  1455, 255,  59},
  {K::Label,      "Label5",           L"&Analog EQ Channel",                          kTab,      4,  120,  3240, 1695, 255,  13, false, 0, "cboAnalogEQ"},
  {K::DropDown,   "cboAnalogEQ",      nullptr,                                        kTab,      4,  1680, 3240, 3135, 315,  14},
};
// clang-format on

}  // namespace

std::span<const ControlRow> FormRows() { return kRows; }

const ControlRow& Row(std::string_view name) {
  for (const ControlRow& row : kRows) {
    if (name == row.name) return row;
  }
  throw Mistake("no control named " + std::string(name));
}

std::wstring ShownName(std::string_view control) {
  // A check box's own caption; for a control without one, the label or
  // frame that names it.
  const ControlRow& row = Row(control);
  std::wstring_view caption = row.kind == Kind::CheckBox ? row.caption : L"";
  for (const ControlRow& other : kRows) {
    if (other.introduces && control == other.introduces) caption = other.caption;
  }
  std::wstring name;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    // "&" marks the access key that follows; "&&" stands for "&".
    if (caption[i] == L'&' && ++i == caption.size()) break;
    name += caption[i];
  }
  while (!name.empty() && (name.back() == L':' || name.back() == L'.')) name.pop_back();
  if (name.empty()) throw Mistake("nothing in the window names " + std::string(control));
  return name;
}

}  // namespace calvane
