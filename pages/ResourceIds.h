// Resource numbers of the program's icon and of the pictures the pages show,
// shared by the declarations, the window and the resource script.
#pragma once

#define IDI_PANEL 1
#define IDB_PICTURE1 101
#define IDB_IMAGE1 102
#define IDB_IMAGE2 103
