#include "link/settings_stream.h"

#include <algorithm>

namespace velor::protocol {

namespace {
constexpr std::size_t kSecondPartSize = kSettingsTableSize - kStreamSplit; // 32
static_assert(kStreamSecondPart + kSecondPartSize <= kStreamSize,
              "the settings table must fit its transfer stream");
} // namespace

SettingsStream PackSettingsStream(const uint8_t* table) {
    SettingsStream stream{};
    std::copy_n(table, kStreamSplit, stream.begin());
    std::copy_n(table + kStreamSplit, kSecondPartSize, stream.begin() + kStreamSecondPart);
    return stream;
}

std::vector<uint8_t> UnpackSettingsStream(const SettingsStream& stream) {
    std::vector<uint8_t> table(kSettingsTableSize);
    std::copy_n(stream.begin(), kStreamSplit, table.begin());
    std::copy_n(stream.begin() + kStreamSecondPart, kSecondPartSize, table.begin() + kStreamSplit);
    return table;
}

} // namespace velor::protocol
