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
    return all;
  }();
  return pages;
}

}  // namespace calvane
