#include "operations/device_lost_text.h"

#include <QCoreApplication>

// A hang-up comes without a system error text; the report then says the line was cut. The texts
// are translated under the context "DeviceLink" of the language library.
QString DeviceLostText(const QString& device, const QString& reason) {
    const QString why =
        reason.isEmpty() ? QCoreApplication::translate("DeviceLink", "линия разорвана") : reason;
    return QCoreApplication::translate("DeviceLink",
                                       "Связь с прибором %1 потеряна (%2). Операция прервана: "
                                       "проверьте кабель и установите связь заново.")
        .arg(device, why);
}
