#pragma once

#include "operations/key_identifier.h"
#include "operations/operation_host.h"

#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>
#include <vector>

inline QString OutcomeName(ButtonOutcome outcome) {
    switch (outcome) {
    case ButtonOutcome::ConnectedSettings:
        return QStringLiteral("ConnectedSettings");
    case ButtonOutcome::ConnectedFirmware:
        return QStringLiteral("ConnectedFirmware");
    case ButtonOutcome::ConnectedSettingsWithLoadId:
        return QStringLiteral("ConnectedSettingsWithLoadId");
    case ButtonOutcome::FirmwareWritten:
        return QStringLiteral("FirmwareWritten");
    case ButtonOutcome::FailureConnectSettings:
        return QStringLiteral("FailureConnectSettings");
    case ButtonOutcome::FailureConnectFirmware:
        return QStringLiteral("FailureConnectFirmware");
    case ButtonOutcome::FailureWriteSettings:
        return QStringLiteral("FailureWriteSettings");
    case ButtonOutcome::FailureReadSettings:
        return QStringLiteral("FailureReadSettings");
    case ButtonOutcome::FailureReadKey:
        return QStringLiteral("FailureReadKey");
    case ButtonOutcome::FailureWriteFirmware:
        return QStringLiteral("FailureWriteFirmware");
    }
    return QStringLiteral("?");
}

// Notes every window-side step as a line, with the thread it ran on:
//   "status 8 type 10" (the device-type code only when set), "adapt 10", "reset",
//   "settings 257" (image size), "place 0123456789AB 5", "buttons ConnectedSettings".
class RecordingHost : public OperationHost {
public:
    QStringList steps;
    std::vector<QThread*> threads; // the thread each step ran on
    std::vector<StatusReport> reports;
    std::vector<uint8_t> settings;              // the image ShowSettings got last
    std::function<void(const QString&)> onStep; // runs inside the step (may throw)

    void ShowStatus(const StatusReport& report) override {
        reports.push_back(report);
        QString line = QStringLiteral("status %1").arg(report.StatusCode);
        if (report.DeviceTypeCode != 0) {
            line += QStringLiteral(" type %1").arg(report.DeviceTypeCode);
        }
        Note(line);
    }
    void AdaptToDeviceType(int deviceTypeCode) override {
        Note(QStringLiteral("adapt %1").arg(deviceTypeCode));
    }
    void ResetProgress() override { Note(QStringLiteral("reset")); }
    void ShowSettings(const std::vector<uint8_t>& image) override {
        settings = image;
        Note(QStringLiteral("settings %1").arg(image.size()));
    }
    void PlaceKeyIdentifier(uint64_t identifier, int keyNumber) override {
        lastKeyIdentifierAtPlace = LastKeyIdentifier();
        Note(QStringLiteral("place %1 %2").arg(KeyIdentifierText(identifier)).arg(keyNumber));
    }
    void SetButtons(ButtonOutcome outcome) override {
        Note(QStringLiteral("buttons ") + OutcomeName(outcome));
    }

    uint64_t lastKeyIdentifierAtPlace = 0; // the program-wide value the placing step saw

private:
    void Note(const QString& line) {
        steps << line;
        threads.push_back(QThread::currentThread());
        if (onStep) {
            onStep(line);
        }
    }
};
