// The five pages of the window, each declared in a unit of its own: the
// controls that edit settings, with their tables, fill rules and tooltips,
// and what the other controls show. Declarations only: no window is made
// here, so that the command line and the tests use the same pages.
#pragma once

#include "model/Declared.h"

namespace calvane {

void DeclareGeneralPage(Declared& page);
void DeclareMidiPage(Declared& page);
void DeclareA3DPage(Declared& page);
void DeclareAC97Page(Declared& page);
void DeclareDigitalPage(Declared& page);

// All five, declared once for the program's life.
const Declared& Pages();

}  // namespace calvane
