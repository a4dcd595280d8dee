#include "link/tty_ftdi_driver.h"

#include "link/bridge_discovery.h"
#include "link/native_path.h"
#include "link/port_lock.h"
#include "link/system_error_text.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <utility>

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kDefaultTimeoutMs = 3000;

struct BaudRate {
    uint32_t baud;
    speed_t speed;
};
constexpr std::array<BaudRate, 11> kBaudRates = {{{1200, B1200},
                                                  {2400, B2400},
                                                  {4800, B4800},
                                                  {9600, B9600},
                                                  {19200, B19200},
                                                  {38400, B38400},
                                                  {57600, B57600},
                                                  {115200, B115200},
                                                  {230400, B230400},
                                                  {460800, B460800},
                                                  {921600, B921600}}};

enum class Readiness { Ready, TimedOut, HungUp, Failed };

// Waits until fd is ready for events or the deadline passes. Ready wins over a hang-up, so the
// bytes that arrived before it are still read (and the read then meets the hang-up itself).
Readiness WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline) {
            return Readiness::TimedOut;
        }
        pollfd entry{fd, events, 0};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        const int result = ::poll(&entry, 1, static_cast<int>(left));
        if (result < 0 && errno != EINTR) {
            return Readiness::Failed;
        }
        if (result <= 0) {
            continue;
        }
        if ((entry.revents & events) != 0) {
            return Readiness::Ready;
        }
        if ((entry.revents & (POLLHUP | POLLERR)) != 0) {
            return Readiness::HungUp;
        }
        errno = EBADF;
        return Readiness::Failed; // invalid descriptor
    }
}

// The errors with which the kernel says the device behind a tty has gone: an unplugged USB
// bridge, a pseudo-terminal whose far end closed.
bool MeansDeviceGone(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

// Applies change to the line's termios settings; false when the line refuses them.
template <typename Change> bool ChangeTermios(int fd, Change change) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        return false;
    }
    change(settings);
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

// Raw bytes, 8N1 at 9600 baud, no flow control, modem lines ignored; a read waits for at least
// one byte (the descriptor is non-blocking, so the wait itself is poll's).
bool MakeRaw(int fd) {
    return ChangeTermios(fd, [](termios& settings) {
        ::cfmakeraw(&settings);
        settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS);
        settings.c_cflag |= CLOCAL | CREAD | CS8;
        settings.c_cc[VMIN] = 1;
        settings.c_cc[VTIME] = 0;
        ::cfsetispeed(&settings, B9600);
        ::cfsetospeed(&settings, B9600);
    });
}

// Asks the kernel driver to deliver bytes at once; ptys and some drivers refuse, which is fine.
void RequestLowLatency(int fd) {
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
}

void SetCharacterSize(termios& settings, uint8_t wordLength) {
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
    settings.c_cflag |= wordLength == kFtBits7 ? CS7 : CS8;
}

void SetStopBits(termios& settings, uint8_t stopBits) {
    if (stopBits == kFtStopBits2) {
        settings.c_cflag |= CSTOPB;
    } else {
        settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
    }
}

void SetParity(termios& settings, uint8_t parity) {
    settings.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD);
    if (parity == kFtParityOdd) {
        settings.c_cflag |= PARENB | PARODD;
    } else if (parity == kFtParityEven) {
        settings.c_cflag |= PARENB;
    }
}

} // namespace

TtyFtdiDriver::TtyFtdiDriver(QString devicePath, QString sysfsRoot, QString devRoot)
    : devicePath_(velor::NativePath(devicePath).toStdString()),
      sysfsRoot_(velor::NativePath(sysfsRoot).toStdString()),
      devRoot_(velor::NativePath(devRoot).toStdString()) {}

TtyFtdiDriver::~TtyFtdiDriver() {
    for (const auto& entry : lines_) {
        velor::link::ReleaseLine(entry.second.fd);
        ::close(entry.second.fd);
    }
}

std::string TtyFtdiDriver::DevicePath(int index) const {
    if (!devicePath_.empty()) {
        return index == 0 ? devicePath_ : std::string();
    }
    const std::vector<std::string> bridges = velor::link::FindFtdiBridges(sysfsRoot_);
    if (index < 0 || static_cast<std::size_t>(index) >= bridges.size()) {
        return {};
    }
    return devRoot_ + "/" + bridges[static_cast<std::size_t>(index)];
}

FtStatus TtyFtdiDriver::OpenByIndex(int index, FtHandle& handle) {
    handle = 0;
    lastOpenFailure_ = {};
    const std::string path = DevicePath(index);
    if (path.empty()) {
        return kFtDeviceNotFound;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return FailOpen(path, errno);
    }
    // Another program's port is closed again untouched: no settings, no flush.
    if (velor::link::LockLine(fd) == velor::link::LineClaim::Busy) {
        ::close(fd);
        return FailOpen(path, EWOULDBLOCK, true);
    }
    if (!MakeRaw(fd)) {
        const int error = errno;
        ::close(fd);
        return FailOpen(path, error);
    }
    RequestLowLatency(fd);
    velor::link::MakeLineExclusive(fd);
    handle = nextHandle_++;
    if (nextHandle_ == 0) {
        nextHandle_ = 1; // 0 never names an open line
    }
    lines_[handle] = Line{fd, kDefaultTimeoutMs, kDefaultTimeoutMs, path};
    return kFtOk;
}

FtStatus TtyFtdiDriver::FailOpen(const std::string& device, int error, bool busy) {
    lastOpenFailure_ = {device, velor::SystemErrorText(error).toStdString(),
                        velor::link::CheckNodeAccess(device).group, error,
                        busy || velor::link::MeansPortBusy(error)};
    return kFtDeviceNotOpened;
}

// A hang-up, or an error that says the device is gone, is a lost device; anything else is a
// failure of this one call.
FtStatus TtyFtdiDriver::FailIo(const Line& line, int error) {
    const bool hungUp = error == kHangUp;
    lastIoFailure_ = {line.path,
                      hungUp ? std::string() : velor::SystemErrorText(error).toStdString()};
    return hungUp || MeansDeviceGone(error) ? kFtDeviceNotFound : kFtIoError;
}

FtStatus TtyFtdiDriver::SetBaudRate(FtHandle handle, uint32_t baudRate) {
    Line* line = Find(handle);
    if (line == nullptr) {
        return kFtInvalidHandle;
    }
    for (const BaudRate& rate : kBaudRates) {
        if (rate.baud == baudRate) {
            return ChangeTermios(line->fd,
                                 [&rate](termios& settings) {
                                     ::cfsetispeed(&settings, rate.speed);
                                     ::cfsetospeed(&settings, rate.speed);
                                 })
                       ? kFtOk
                       : kFtIoError;
        }
    }
    return kFtInvalidBaudRate;
}

// The kernel driver offers no device reset; what a reset leaves behind is empty buffers.
FtStatus TtyFtdiDriver::ResetDevice(FtHandle handle) {
    return Purge(handle, kFtPurgeRx | kFtPurgeTx);
}

FtStatus TtyFtdiDriver::SetDataCharacteristics(FtHandle handle, uint8_t wordLength,
                                               uint8_t stopBits, uint8_t parity) {
    Line* line = Find(handle);
    if (line == nullptr) {
        return kFtInvalidHandle;
    }
    if ((wordLength != kFtBits7 && wordLength != kFtBits8) ||
        (stopBits != kFtStopBits1 && stopBits != kFtStopBits2) || parity > kFtParityEven) {
        return kFtInvalidParameter;
    }
    return ChangeTermios(line->fd,
                         [&](termios& settings) {
                             SetCharacterSize(settings, wordLength);
                             SetStopBits(settings, stopBits);
                             SetParity(settings, parity);
                         })
               ? kFtOk
               : kFtIoError;
}

FtStatus TtyFtdiDriver::SetTimeouts(FtHandle handle, uint32_t readMs, uint32_t writeMs) {
    Line* line = Find(handle);
    if (line == nullptr) {
        return kFtInvalidHandle;
    }
    line->readTimeoutMs = readMs;
    line->writeTimeoutMs = writeMs;
    return kFtOk;
}

FtStatus TtyFtdiDriver::Read(FtHandle handle, uint8_t* buffer, uint32_t n, uint32_t& received) {
    received = 0;
    Line* line = Find(handle);
    if (line == nullptr) {
        return kFtInvalidHandle;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(line->readTimeoutMs);
    while (received < n) {
        const ssize_t got = ::read(line->fd, buffer + received, n - received);
        if (got > 0) {
            received += static_cast<uint32_t>(got);
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got == 0) {
            return FailIo(*line, kHangUp); // end of file on a tty: the line was hung up
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            return FailIo(*line, errno);
        }
        const Readiness ready = WaitFor(line->fd, POLLIN, deadline);
        if (ready == Readiness::TimedOut) {
            break;
        }
        if (ready != Readiness::Ready) {
            return FailIo(*line, ready == Readiness::HungUp ? kHangUp : errno);
        }
    }
    return kFtOk;
}

FtStatus TtyFtdiDriver::Write(FtHandle handle, const uint8_t* buffer, uint32_t n,
                              uint32_t& written) {
    written = 0;
    Line* line = Find(handle);
    if (line == nullptr) {
        return kFtInvalidHandle;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(line->writeTimeoutMs);
    while (written < n) {
        const ssize_t put = ::write(line->fd, buffer + written, n - written);
        if (put > 0) {
            written += static_cast<uint32_t>(put);
            continue;
        }
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return FailIo(*line, errno);
        }
        const Readiness ready = WaitFor(line->fd, POLLOUT, deadline);
        if (ready == Readiness::TimedOut) {
            break;
        }
        if (ready != Readiness::Ready) {
            return FailIo(*line, ready == Readiness::HungUp ? kHangUp : errno);
        }
    }
    return kFtOk;
}

FtStatus TtyFtdiDriver::Purge(FtHandle handle, uint32_t mask) {
    Line* line = Find(handle);
    if (line == nullptr) {
        return kFtInvalidHandle;
    }
    const bool rx = (mask & kFtPurgeRx) != 0;
    const bool tx = (mask & kFtPurgeTx) != 0;
    if (!rx && !tx) {
        return kFtOk;
    }
    const int queue = rx && tx ? TCIOFLUSH : (rx ? TCIFLUSH : TCOFLUSH);
    return ::tcflush(line->fd, queue) == 0 ? kFtOk : kFtIoError;
}

FtStatus TtyFtdiDriver::Close(FtHandle handle) {
    Line* line = Find(handle);
    if (line == nullptr) {
        return kFtInvalidHandle;
    }
    velor::link::ReleaseLine(line->fd);
    const int result = ::close(line->fd);
    lines_.erase(handle);
    return result == 0 ? kFtOk : kFtIoError;
}

TtyFtdiDriver::Line* TtyFtdiDriver::Find(FtHandle handle) {
    const auto it = lines_.find(handle);
    return it != lines_.end() ? &it->second : nullptr;
}

std::string TtyFtdiDriver::OpenedPath(FtHandle handle) const {
    const auto line = lines_.find(handle);
    return line != lines_.end() ? line->second.path : std::string();
}
