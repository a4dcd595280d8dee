#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

// Reading and replacing the files a technician names (settings files, firmware files): only
// regular files, read up to the size their kind can have, and saved so that a failure at any
// step leaves the old file as it was.

enum class FileRefusal {
    None,
    Unreadable, // cannot be opened or read: reason holds the system's reason
    NotRegular, // a folder, device node, FIFO or socket: reason says which
    TooLarge,   // larger than its kind can be: size holds its size
};

struct FileRead {
    FileRefusal refusal = FileRefusal::None;
    QString reason;
    qint64 size = 0;
    QByteArray content;
};

// Reads the file a path names (symbolic links followed) when it is a regular file of at most
// maxSize bytes. A FIFO or device node is refused from its status before it is opened, and the
// opened descriptor is checked again, so nothing blocks and nothing is read from a non-file.
FileRead ReadRegularFile(const QString& path, qint64 maxSize);

// The reason for a file that is not a regular one: the system's "Это папка" for a folder,
// "это не обычный файл (...)" otherwise.
QString NotRegularFileReason(bool isFolder);

// Raised by SaveFileReplacing with the system's reason (or "not a regular file").
class FileSaveError : public std::runtime_error {
public:
    explicit FileSaveError(const QString& reason);
    QString Reason() const;
};

// Writes content to a new file beside the target, checks every write, syncs it to the disk and
// only then renames it over the target and syncs the folder. A symbolic link is followed: its
// final target is replaced, the link stays. A target that exists and is not a regular file is
// refused before anything is created. On any failure the temporary file is removed and the old
// file stays byte for byte; throws FileSaveError.
void SaveFileReplacing(const QString& path, const QByteArray& content);

// Writes content to a new file under path only when no file has that name: the content is
// written, checked and synced under a temporary name first and takes the name in one step, so
// the name never shows a partial file and two saves never share it. False when the name is taken
// (nothing is left behind); throws FileSaveError on any other failure.
bool SaveFileUnderFreeName(const QString& path, const QByteArray& content);
