#include "settings/settings_fingerprint.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace velor::settings {

QString Fingerprint(const SettingsImage& image) {
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()),
                           static_cast<qsizetype>(image.size()));
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QString ShortFingerprint(const SettingsImage& image) {
    return Fingerprint(image).left(kShortFingerprintDigits);
}

} // namespace velor::settings
