#pragma once

#include <cstdint>

// The computations on a field's value that the window's page rules and the settings check share,
// so that what the check predicts is what the window does.
namespace velor::settings {

// Modes 2 "Взят/снят" and 5 "Исполнительный" follow security loops only: no fire loop drives an
// output in them.
bool ForSecurityLoopsOnly(int workMode);

// The re-arm time the window puts in place of one not longer than the longer entry delay: two
// steps above the multiple of step at or below that delay, so at least 6 s longer than both.
int64_t RearmTimeAbove(int64_t longestEntryDelay, int64_t step);

// A value left between two steps ends on the next step up.
int64_t RoundUpToStep(int64_t value, int64_t step);

} // namespace velor::settings
