#pragma once

#include "link/protocol.h"

#include <cstdint>
#include <vector>

namespace velor::protocol {

// The 320-byte transfer stream of a 257-byte settings table: table bytes 0..224 at stream bytes
// 0..224, table bytes 225..256 at stream bytes 256..287, every other stream byte 0.
SettingsStream PackSettingsStream(const uint8_t* table);
// The 257-byte settings table carried by a stream; stream bytes outside the two parts are ignored.
std::vector<uint8_t> UnpackSettingsStream(const SettingsStream& stream);

} // namespace velor::protocol
