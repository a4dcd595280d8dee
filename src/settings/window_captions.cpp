#include "settings/window_captions.h"

#include <QCoreApplication>

namespace velor::window {

const std::array<const char*, kSettingsPageCount> kPageCaptions = {
    QT_TRANSLATE_NOOP("TMainForm", "  Главная  "),
    QT_TRANSLATE_NOOP("TMainForm", "  Настройки ШС "),
    QT_TRANSLATE_NOOP("TMainForm", "Режимы реле и выходов ОК"),
    QT_TRANSLATE_NOOP("TMainForm", "Идентификаторы ТМ"),
};

const std::array<const char*, kOutputs> kOutputCaptions = {
    QT_TRANSLATE_NOOP("TMainForm", "Реле №1"),
    QT_TRANSLATE_NOOP("TMainForm", "Реле №2"),
    QT_TRANSLATE_NOOP("TMainForm", "OK №1"),
    QT_TRANSLATE_NOOP("TMainForm", "OK №2"),
};

QString WindowText(const char* source) {
    return QCoreApplication::translate(kWindowContext, source);
}

} // namespace velor::window
