#include "ui/desktop.h"

#include <QDesktopServices>
#include <QUrl>

bool QtDesktop::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}
