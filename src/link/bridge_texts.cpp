#include "link/bridge_texts.h"

#include "link/system_error_text.h"

#include <QCoreApplication>

#include <cerrno>

namespace velor::link {
namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("Bridges", text);
}

bool LacksPermission(int error) {
    return error == EACCES || error == EPERM;
}

} // namespace

QString NoBridgeText() {
    return Tr(QT_TRANSLATE_NOOP("Bridges", "Не подключен ни один USB-последовательный мост FTDI."));
}

QString BridgeAccessText(const NodeAccess& access) {
    if (access.canOpen) {
        return Tr(QT_TRANSLATE_NOOP("Bridges", "доступ есть"));
    }
    if (access.error == ENOENT) {
        return Tr(QT_TRANSLATE_NOOP("Bridges", "нет доступа: нет файла устройства"));
    }
    const QString group = QString::fromStdString(access.group);
    if (!LacksPermission(access.error) || group.isEmpty()) {
        return Tr(QT_TRANSLATE_NOOP("Bridges", "нет доступа: %1"))
            .arg(velor::SystemErrorText(access.error));
    }
    if (access.inGroup) {
        return Tr(QT_TRANSLATE_NOOP("Bridges",
                                    "нет доступа: группе \"%1\" не разрешены чтение и запись"))
            .arg(group);
    }
    if (access.groupAtNextLogin) {
        return Tr(QT_TRANSLATE_NOOP("Bridges", "нет доступа: вы в группе \"%1\" со следующего "
                                               "входа в систему; войдите заново"))
            .arg(group);
    }
    return Tr(QT_TRANSLATE_NOOP("Bridges", "нет доступа: устройство группы \"%1\", вас в ней нет "
                                           "(sudo usermod -aG %1 $USER, затем войдите заново)"))
        .arg(group);
}

} // namespace velor::link
