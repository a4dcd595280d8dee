#pragma once

#include <QLocale>

// The formats (dates, numbers) of the language the window is shown in: Russian for the built-in
// texts, otherwise those of the language library, which the locale runtime made the default.
QLocale WindowLocale();
