#include "link/port_lock.h"

#include <QCoreApplication>

#include <cerrno>
#include <sys/file.h>
#include <sys/ioctl.h>

namespace velor::link {

LineClaim LockLine(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        return LineClaim::Claimed;
    }
    // A file system without locks gives nothing to respect: only a lock held elsewhere refuses.
    return errno == EWOULDBLOCK ? LineClaim::Busy : LineClaim::Claimed;
}

void MakeLineExclusive(int fd) {
    (void)::ioctl(fd, TIOCEXCL);
}

void ReleaseLine(int fd) {
    (void)::ioctl(fd, TIOCNXCL);
}

bool MeansPortBusy(int error) {
    return error == EBUSY;
}

QString PortBusyText(const QString& device) {
    return QCoreApplication::translate("PortLock", "Порт %1 занят другой программой").arg(device);
}

} // namespace velor::link
