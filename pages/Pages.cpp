#include "pages/Pages.h"

namespace calvane {

const Declared& Pages() {
  static const Declared pages = [] {
    Declared all;
    const ControlRow& tabs = DeclareForm(all);
    DeclareGeneralPage({all, tabs, 0});
    DeclareMidiPage({all, tabs, 1});
    DeclareA3DPage({all, tabs, 2});
    DeclareAC97Page({all, tabs, 3});
    DeclareDigitalPage({all, tabs, 4});
    return all;
  }();
  return pages;
}

}  // namespace calvane
