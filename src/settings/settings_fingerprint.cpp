#include "settings/settings_fingerprint.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace velor::settings {
namespace {

QString Sha256(const uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

} // namespace

QString Fingerprint(const SettingsImage& image) {
    return Sha256(image.data(), image.size());
}

QString ShortFingerprint(const SettingsImage& image) {
    return Fingerprint(image).left(kShortFingerprintDigits);
}

QString Fingerprint(const std::vector<uint8_t>& bytes) {
    return Sha256(bytes.data(), bytes.size());
}

QString ShortFingerprint(const std::vector<uint8_t>& bytes) {
    return Fingerprint(bytes).left(kShortFingerprintDigits);
}

} // namespace velor::settings
