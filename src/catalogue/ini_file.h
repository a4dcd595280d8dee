#pragma once

#include <QString>

// One read or one write of an INI file, with private-profile semantics: the file is opened for
// that access and closed again; a missing file, section or key yields the caller's default, and
// a write creates whatever is missing.
namespace velor {

QString ReadIniString(const QString& iniPath, const QString& section, const QString& key,
                      const QString& defaultValue);

// Returns false when the file could not be written.
bool WriteIniString(const QString& iniPath, const QString& section, const QString& key,
                    const QString& value);

} // namespace velor
