#pragma once

#include "ui/main_form.h"

#include <QLatin1String>
#include <QString>

#include <cstddef>

// A caption table: each row a control's name (or family prefix) and its source text, marked with
// QT_TRANSLATE_NOOP("TMainForm", ...) so that the window's translation carries it.
struct CaptionRow {
    const char* name;
    const char* text;
};

// The translated text of name's row; empty for a name no row has.
template <std::size_t N> QString CaptionOf(const CaptionRow (&table)[N], const QString& name) {
    for (const CaptionRow& row : table) {
        if (name == QLatin1String(row.name)) {
            return TMainForm::tr(row.text);
        }
    }
    return {};
}
