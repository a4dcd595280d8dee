#include "link/device_version_text.h"

QString VersionText(const TVelorDevDesc& descriptor) {
    return QStringLiteral("%1_%2_%3")
        .arg(descriptor.Version1)
        .arg(descriptor.Version2)
        .arg(descriptor.Version3);
}
