#include "sim/sim_config.h"

namespace velor::sim {

// Codes and parameters a factory device hands out; any value works as long as the transfer that
// follows carries it back.
ScenarioTable DefaultScenarios() {
    return {{
        {0x0101, 0x00000006, 0},   // key read: 6 identifier bytes
        {0x0202, 0x00000101, 320}, // settings read: 257-byte table in a 320-byte stream
        {0x0303, 0x00000101, 320}, // settings write
        {0x0404, 0x00010000, 0},   // firmware write
    }};
}

} // namespace velor::sim
