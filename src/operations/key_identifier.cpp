#include "operations/key_identifier.h"

#include "link/hex_text.h"

#include <atomic>

namespace {
constexpr int kHexDigits = 2 * kKeyIdentifierBytes; // 12
constexpr int kBitsPerByte = 8;

std::atomic<uint64_t> g_lastKeyIdentifier{0};
} // namespace

uint64_t KeyIdentifierFromBytes(const std::vector<uint8_t>& bytes) {
    uint64_t identifier = 0;
    for (std::size_t i = kKeyIdentifierBytes; i-- > 0;) {
        identifier = (identifier << kBitsPerByte) | bytes.at(i);
    }
    return identifier;
}

QString KeyIdentifierText(uint64_t identifier) {
    if (identifier == kBlankKeyIdentifier) {
        return {};
    }
    return velor::HexText(identifier, kHexDigits);
}

uint64_t LastKeyIdentifier() {
    return g_lastKeyIdentifier.load();
}

void SetLastKeyIdentifier(uint64_t identifier) {
    g_lastKeyIdentifier.store(identifier);
}
