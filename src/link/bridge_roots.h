#pragma once

#include <QString>

// Where this system lists its FTDI bridges: the sysfs tree (/sys) and the device nodes' folder
// (/dev). VELOR580_SYSFS_ROOT and VELOR580_DEV_ROOT, when set and not empty, name other folders
// instead: a test presents a simulator's pseudo-terminal as a bridge with a serial number this
// way (a sysfs tree of its own and a ttyUSB link to the terminal), and a listing can be
// diagnosed against a copied tree.
namespace velor::link {

QString SystemSysfsRoot();
QString SystemDevRoot();

} // namespace velor::link
