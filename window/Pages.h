// The five pages of SSTab1, one unit each.
#pragma once

#include "window/pages/A3DPage.h"
#include "window/pages/AC97Page.h"
#include "window/pages/DigitalPage.h"
#include "window/pages/GeneralPage.h"
#include "window/pages/MidiPage.h"
