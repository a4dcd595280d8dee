#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

// Bytes in tests: written as hex text ("55 01 FF"), compared as QByteArray so that QCOMPARE
// prints both sides on a mismatch.
inline QByteArray AsQBytes(const std::vector<uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

inline QByteArray AsQBytes(const uint8_t* bytes, std::size_t n) {
    return QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(n));
}

inline std::vector<uint8_t> HexBytes(const char* hex) {
    const QByteArray bytes = QByteArray::fromHex(hex);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

inline std::vector<uint8_t> AsVector(const QByteArray& bytes) {
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}
