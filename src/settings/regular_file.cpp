#include "settings/regular_file.h"

#include "link/native_path.h"
#include "link/system_error_text.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int kLinkHops = 40;          // the system's own limit on links followed in a path
constexpr int kTemporaryAttempts = 16; // names tried before giving up on a taken name
constexpr int kTemporaryNameDigits = 6;
constexpr mode_t kNewFileMode = 0666; // before the umask, as any program creates a file
constexpr mode_t kPermissionBits = 07777;
constexpr qint64 kReadChunk = 16 * 1024;

// The system's reason for an error number, in the technician's language.
QString SystemReason(int error) {
    return velor::SystemErrorText(error);
}

QByteArray NativePath(const QString& path) {
    return velor::NativePath(path);
}

// A file being written beside the target: closed, and removed unless it was renamed into place,
// when it goes out of scope.
class TemporaryFile {
public:
    TemporaryFile(int fd, QByteArray name) : fd_(fd), name_(std::move(name)) {}
    ~TemporaryFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!renamed_) {
            ::unlink(name_.constData());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Fd() const { return fd_; }
    // Closes now and reports whether the close succeeded (a late write error shows here).
    bool Close() {
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0;
    }
    bool RenameOver(const QByteArray& target) {
        renamed_ = ::rename(name_.constData(), target.constData()) == 0;
        return renamed_;
    }
    // Gives the file the target's name only when no file has it, in one step, so two saves can
    // never end under one name: a rename that refuses to replace, or, on a file system without
    // one, a second link to the file (its temporary name then goes as usual). False with errno
    // EEXIST when the name is taken.
    bool TakeFreeName(const QByteArray& target) {
        if (::renameat2(AT_FDCWD, name_.constData(), AT_FDCWD, target.constData(),
                        RENAME_NOREPLACE) == 0) {
            renamed_ = true;
            return true;
        }
        if (errno != EINVAL && errno != ENOSYS) {
            return false;
        }
        return ::link(name_.constData(), target.constData()) == 0;
    }

private:
    int fd_;
    QByteArray name_;
    bool renamed_ = false;
};

// Closes a descriptor opened for reading.
class ReadDescriptor {
public:
    explicit ReadDescriptor(int fd) : fd_(fd) {}
    ~ReadDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    ReadDescriptor(const ReadDescriptor&) = delete;
    ReadDescriptor& operator=(const ReadDescriptor&) = delete;
    int Fd() const { return fd_; }

private:
    int fd_;
};

FileRead Refused(FileRefusal refusal, const QString& reason, qint64 size = 0) {
    FileRead read;
    read.refusal = refusal;
    read.reason = reason;
    read.size = size;
    return read;
}

// The status of an opened or named file as a refusal, or nothing when it may be read.
std::optional<FileRead> RefusalOf(const struct stat& status, qint64 maxSize) {
    if (!S_ISREG(status.st_mode)) {
        return Refused(FileRefusal::NotRegular, NotRegularFileReason(S_ISDIR(status.st_mode)));
    }
    if (status.st_size > maxSize) {
        return Refused(FileRefusal::TooLarge, QString(), status.st_size);
    }
    return std::nullopt;
}

bool WriteAll(int fd, const QByteArray& content) {
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t written =
            ::write(fd, content.constData() + done, static_cast<size_t>(content.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        done += written;
    }
    return true;
}

// The file a save replaces: the path itself, or the final target of the links it names.
QByteArray SaveTarget(const QByteArray& path) {
    QByteArray target = path;
    for (int hop = 0; hop < kLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(target.constData(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return target;
        }
        QByteArray link(static_cast<qsizetype>(status.st_size) + 1, '\0');
        const ssize_t length = ::readlink(target.constData(), link.data(), link.size());
        if (length < 0 || length >= link.size()) {
            return target; // changed under us: the save works on the path as it stands
        }
        link.truncate(length);
        if (!link.startsWith('/')) {
            const qsizetype slash = target.lastIndexOf('/');
            link.prepend(slash < 0 ? QByteArray() : target.left(slash + 1));
        }
        target = link;
    }
    throw FileSaveError(SystemReason(ELOOP));
}

// A new, empty file beside the target, opened for writing, with the permissions any new file
// gets (the umask applies).
TemporaryFile CreateTemporary(const QByteArray& target) {
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        const QByteArray name = target + '.' +
                                QByteArray::number(QRandomGenerator::global()->generate(), 36)
                                    .right(kTemporaryNameDigits);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                              kNewFileMode);
        if (fd >= 0) {
            return TemporaryFile(fd, name);
        }
        if (errno != EEXIST) {
            throw FileSaveError(SystemReason(errno));
        }
    }
    throw FileSaveError(SystemReason(EEXIST));
}

// The rename is durable only once the folder that holds the name is synced. A file system that
// cannot sync a folder (EINVAL) has nothing more to give.
void SyncFolder(const QByteArray& target) {
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : target.left(std::max<qsizetype>(slash, 1));
    ReadDescriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Fd() < 0 || (::fsync(fd.Fd()) != 0 && errno != EINVAL)) {
        throw FileSaveError(SystemReason(errno));
    }
}

// Fails the save with the system's reason for the step that just failed.
[[noreturn]] void FailSave() {
    throw FileSaveError(SystemReason(errno));
}

} // namespace

QString NotRegularFileReason(bool isFolder) {
    return isFolder ? SystemReason(EISDIR)
                    : QCoreApplication::translate(
                          "RegularFile", "это не обычный файл (устройство, канал или сокет)");
}

FileSaveError::FileSaveError(const QString& reason) : std::runtime_error(reason.toStdString()) {}

QString FileSaveError::Reason() const {
    return QString::fromStdString(what());
}

FileRead ReadRegularFile(const QString& path, qint64 maxSize) {
    const QByteArray native = NativePath(path);
    struct stat status {};
    if (::stat(native.constData(), &status) != 0) {
        return Refused(FileRefusal::Unreadable, SystemReason(errno));
    }
    if (std::optional<FileRead> refused = RefusalOf(status, maxSize)) {
        return *refused;
    }
    // Non-blocking, so a FIFO put in the file's place since the check cannot stall the open.
    ReadDescriptor fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Fd() < 0) {
        return Refused(FileRefusal::Unreadable, SystemReason(errno));
    }
    if (::fstat(fd.Fd(), &status) != 0) {
        return Refused(FileRefusal::Unreadable, SystemReason(errno));
    }
    if (std::optional<FileRead> refused = RefusalOf(status, maxSize)) {
        return *refused;
    }
    FileRead read;
    read.content.reserve(status.st_size);
    // One byte beyond the limit shows a file that grew since its status was taken.
    while (read.content.size() <= maxSize) {
        const qint64 chunk = std::min(kReadChunk, maxSize + 1 - read.content.size());
        const qsizetype before = read.content.size();
        read.content.resize(before + chunk);
        const ssize_t got =
            ::read(fd.Fd(), read.content.data() + before, static_cast<size_t>(chunk));
        if (got < 0 && errno == EINTR) {
            read.content.resize(before);
            continue;
        }
        if (got < 0) {
            return Refused(FileRefusal::Unreadable, SystemReason(errno));
        }
        read.content.resize(before + got);
        if (got == 0) {
            read.size = read.content.size();
            return read;
        }
    }
    return Refused(FileRefusal::TooLarge, QString(), read.content.size());
}

void SaveFileReplacing(const QString& path, const QByteArray& content) {
    const QByteArray target = SaveTarget(NativePath(path));
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        throw FileSaveError(NotRegularFileReason(S_ISDIR(old.st_mode)));
    }
    TemporaryFile file = CreateTemporary(target);
    if (exists) {
        // The new file keeps the old one's permissions; where they cannot be set (a file system
        // without them) the content still counts.
        (void)::fchmod(file.Fd(), old.st_mode & kPermissionBits);
    }
    if (!WriteAll(file.Fd(), content) || ::fsync(file.Fd()) != 0 || !file.Close() ||
        !file.RenameOver(target)) {
        FailSave();
    }
    SyncFolder(target);
}

bool SaveFileUnderFreeName(const QString& path, const QByteArray& content) {
    const QByteArray target = NativePath(path);
    TemporaryFile file = CreateTemporary(target);
    if (!WriteAll(file.Fd(), content) || ::fsync(file.Fd()) != 0 || !file.Close()) {
        FailSave();
    }
    if (!file.TakeFreeName(target)) {
        if (errno == EEXIST) {
            return false;
        }
        FailSave();
    }
    SyncFolder(target);
    return true;
}
