#pragma once

#include <QByteArray>
#include <QString>
#include <QTranslator>

// A language library: a Qt translation file beside the program that carries the translated
// window texts (by class context) and the translated message catalogue (context
// "MessageCatalogue", source text = the decimal message id).
class LanguageLibrary {
public:
    // Loads exactly the file at path; false when it is missing or not a translation file.
    bool load(const QString& path);

    // The library's text for a catalogue id, empty when the library has none.
    QString MessageText(int id) const;

    // The language the library was written for ("en_GB"), empty when it does not say.
    QString language() const { return translator_.language(); }

    QTranslator& translator() { return translator_; }

private:
    QByteArray data_; // the translator reads its texts from here for its whole life
    QTranslator translator_;
};
