#include "link/link_log.h"

#include <QByteArray>

Q_LOGGING_CATEGORY(lcVelorLink, "velor.link", QtWarningMsg)

namespace velor::link {

namespace {
QByteArray Hex(const uint8_t* bytes, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size))
        .toHex(' ')
        .toUpper();
}
} // namespace

void LogSent(const uint8_t* frame, std::size_t size, bool written) {
    if (written) {
        qCDebug(lcVelorLink).noquote() << "->" << Hex(frame, size);
    } else {
        qCDebug(lcVelorLink).noquote() << "-> (write failed)" << Hex(frame, size);
    }
}

void LogReceived(const uint8_t* reply, std::size_t size, bool complete) {
    if (complete) {
        qCDebug(lcVelorLink).noquote() << "<-" << Hex(reply, size);
    } else {
        qCDebug(lcVelorLink).noquote() << "<- (no complete reply of" << size << "bytes)";
    }
}

} // namespace velor::link
