#pragma once

#include <QFile>
#include <QString>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

// Files that are not what they seem, for the tests of reading and saving: a FIFO where a file is
// expected, and a write limit that fails a save part-way as a full disk would.

inline bool IsFifo(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

// Lowers the largest file this process may write, as a full disk stops a save part-way; the
// signal the limit raises is ignored, so the write fails with EFBIG. Restored when it ends.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};
