// The .cfg reader on arbitrary file content. A file is either refused with the reader's error
// or gives an image; an accepted image, saved and loaded again, must come back the same, and the
// saved file must be exactly the image's text.

#include "settings/cfg_format.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

// One folder for the process (scripts/fuzz points TMPDIR at a memory file system when it can).
const QTemporaryDir& Folder() {
    static const QTemporaryDir folder;
    return folder;
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size()) {
        std::abort(); // the fuzzer's own folder must take the file
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const QString input = Folder().filePath(QStringLiteral("input.cfg"));
    const QString saved = Folder().filePath(QStringLiteral("saved.cfg"));
    WriteFile(input, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));

    SettingsImage image;
    try {
        image = LoadCfgFile(input);
    } catch (const std::runtime_error&) {
        return 0; // refused with the reader's error: what a technician sees
    }
    SaveCfgFile(saved, image);
    QFile written(saved);
    if (!written.open(QIODevice::ReadOnly) || written.readAll() != CfgText(image)) {
        std::abort();
    }
    if (LoadCfgFile(saved).bytes() != image.bytes()) {
        std::abort();
    }
    return 0;
}
