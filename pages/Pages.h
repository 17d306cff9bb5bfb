// The window's rows: the form's own controls and the five pages, each
// declared in a unit of its own, each control once, with what it edits, its
// fill rule, its tooltip and its place in the start-up's fill. Declarations
// only: no window is made here, so that the command line and the tests use
// the same rows.
#pragma once

#include "model/Declared.h"

namespace calvane {

// Adds the rows of one page of the tab control, each in the tab control
// unless a frame of the page holds it.
class PageRows {
 public:
  PageRows(Declared& declared, const ControlRow& tabs, int page)
      : declared(declared), tabs_(tabs), page_(page) {}
  ControlRow& Add(Kind kind, const char* name, const wchar_t* caption, Place place, int tab,
                  const ControlRow* frame = nullptr) {
    return declared.Add(kind, name, caption, frame ? frame : &tabs_, page_, place, tab);
  }
  Declared& declared;

 private:
  const ControlRow& tabs_;
  int page_;
};

// The form's own controls; the tab control, which holds the pages.
const ControlRow& DeclareForm(Declared& form);
void DeclareGeneralPage(PageRows page);
void DeclareMidiPage(PageRows page);
void DeclareA3DPage(PageRows page);
void DeclareAC97Page(PageRows page);
void DeclareDigitalPage(PageRows page);

// All of them, declared once for the program's life.
const Declared& Pages();

}  // namespace calvane
