#include "ui/window_locale.h"

#include "catalogue/locale_runtime.h"

QLocale WindowLocale() {
    return velor::CurrentResourceLocale().isEmpty() ? QLocale(QLocale::Russian, QLocale::Russia)
                                                    : QLocale();
}
