#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QRegularExpression>
#include <QString>
#include <QtGlobal>

// Before the application exists: the offscreen platform with one screen of <width>x<height>
// physical pixels and no window frame, and Qt's scale factor, from a screen given as
// "<width>x<height>@<scale>" (e.g. "1366x768@1.25"). The platform reads the screen from a JSON
// file written to configPath. False when the screen reads otherwise or the file cannot be written.
inline bool UseOffscreenScreen(const QString& screen, const QString& configPath) {
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)@([0-9.]+)$")).match(screen);
    if (!size.hasMatch()) {
        return false;
    }
    QFile file(configPath);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(QStringLiteral("{\"windowFrameMargins\": false, \"screens\": [{\"name\": "
                              "\"screen\", \"x\": 0, \"y\": 0, \"width\": %1, \"height\": %2}]}")
                   .arg(size.captured(1), size.captured(2))
                   .toUtf8());
    if (!file.flush()) {
        return false;
    }
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + configPath).toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", size.captured(3).toLatin1());
    return true;
}
