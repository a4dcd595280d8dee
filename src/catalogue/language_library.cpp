#include "catalogue/language_library.h"

#include <QFile>

namespace {
constexpr char kCatalogueContext[] = "MessageCatalogue";
}

bool LanguageLibrary::load(const QString& path) {
    // Read the file ourselves: QTranslator::load(fileName) would also try "<path>.qm" and names
    // cut at '.' or '_', and could pick up an unrelated file beside the program.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    data_ = file.readAll();
    return translator_.load(reinterpret_cast<const uchar*>(data_.constData()),
                            static_cast<int>(data_.size()));
}

QString LanguageLibrary::MessageText(int id) const {
    return translator_.translate(kCatalogueContext, QByteArray::number(id).constData());
}
