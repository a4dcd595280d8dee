#pragma once

#include <QIcon>

// The program's icon (the shield with the control panel), compiled into the program from
// data/icons: the window icon, the about box's picture; the desktop entry names the installed
// copy, "velor580".
QIcon LoadProgramIcon();
