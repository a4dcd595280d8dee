#pragma once

#include "link/velor_device.h"

#include <QString>

// "a_b_c": a device's three version bytes in decimal, without leading zeros (e.g. 2_1_10), as
// the program shows a firmware version everywhere (labels, reports, snapshot names).
QString VersionText(const TVelorDevDesc& descriptor);
