#include "catalogue/catalogue_loader.h"

#include "catalogue/language_library.h"
#include "catalogue/locale_runtime.h"
#include "catalogue/message_catalogue.h"

#include <functional>

namespace velor {
namespace {

using TextSource = std::function<QString(int id)>;

void fillFrom(const TextSource& source) {
    for (int k = 0; k < kCatalogueSize; ++k) {
        const int id = kFirstMessageId + k;
        const QString text = source(id);
        if (text.isEmpty()) {
            return;
        }
        SetMessageText(id, text); // cuts the text to kMaxMessageLength characters
    }
}

} // namespace

void LoadMessageCatalogue(const QString& programPath) {
    const QString locale = GetCurrentDefaultLocaleReg(programPath);
    if (!locale.isEmpty() && locale != kBaseLocale) {
        // The library is open for the duration of this call only.
        LanguageLibrary library;
        if (library.load(LanguageLibraryPath(programPath, locale))) {
            FillMessageCatalogue(&library);
            return;
        }
    }
    FillMessageCatalogue(nullptr);
}

void FillMessageCatalogue(const LanguageLibrary* library) {
    if (library == nullptr) {
        fillFrom(&BuiltInMessageText);
        return;
    }
    fillFrom([library](int id) { return library->MessageText(id); });
}

} // namespace velor
