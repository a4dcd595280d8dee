#pragma once

#include "link/bridge_discovery.h"

#include <QString>

// What the technician is told about the attached FTDI bridges, alike in the window's port list
// and in velor580-cli ports. Translated under the context "Bridges".
namespace velor::link {

// "Не подключен ни один USB-последовательный мост FTDI.": said when no bridge is attached.
QString NoBridgeText();

// "доступ есть", or what keeps the current user out: no node, the node's group that the user is
// not in (or only from the next login), or the system's reason.
QString BridgeAccessText(const NodeAccess& access);

} // namespace velor::link
