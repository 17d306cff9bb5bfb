// Resource numbers of the Control Panel applet. Its icon is the panel's,
// under the panel's number.
#pragma once

#include "pages/ResourceIds.h"

#define IDS_APPLET_NAME 1
#define IDS_APPLET_INFO 2
