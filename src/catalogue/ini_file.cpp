#include "catalogue/ini_file.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace velor {
namespace {

QString KeyPath(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

QString ReadIniString(const QString& iniPath, const QString& section, const QString& key,
                      const QString& defaultValue) {
    const QSettings ini(iniPath, QSettings::IniFormat);
    const QVariant value = ini.value(KeyPath(section, key), defaultValue);
    // An unquoted value with commas reads back as a list; the caller wants the line's text.
    if (value.userType() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

bool WriteIniString(const QString& iniPath, const QString& section, const QString& key,
                    const QString& value) {
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setValue(KeyPath(section, key), value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace velor
