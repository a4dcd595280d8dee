#pragma once

#include "settings/settings_check.h"
#include "settings/settings_diff.h"
#include "settings/settings_image.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The texts and JSON documents of show, diff and check. Every report carries the fingerprint of
// each image it is about; the JSON documents use the fields' stable keys.

// Where a report's settings came from.
struct ReportSource {
    enum class Kind { File, Factory, Device };
    Kind kind = Kind::File;
    QString path; // the file, the factory file, or the port (empty: the first FTDI bridge)
};

// "a.cfg", "заводские настройки (/usr/share/velor580/580default.cfg)", "прибор (/dev/pts/5)".
QString SourceText(const ReportSource& source);

QString ShowText(const SettingsImage& image, const ReportSource& source);
QByteArray ShowJson(const SettingsImage& image, const ReportSource& source);

QString DiffText(const SettingsImage& a, const ReportSource& sourceA, const SettingsImage& b,
                 const ReportSource& sourceB);
QByteArray DiffJson(const SettingsImage& a, const ReportSource& sourceA, const SettingsImage& b,
                    const ReportSource& sourceB);

QString CheckText(const SettingsImage& image, const ReportSource& source,
                  const velor::settings::SettingsCheck& check);
QByteArray CheckJson(const SettingsImage& image, const ReportSource& source,
                     const velor::settings::SettingsCheck& check);
