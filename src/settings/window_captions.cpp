#include "settings/window_captions.h"

#include <QCoreApplication>

namespace velor::window {

const std::array<const char*, kOutputs> kOutputCaptions = {
    QT_TRANSLATE_NOOP("TMainForm", "Реле №1"),
    QT_TRANSLATE_NOOP("TMainForm", "Реле №2"),
    QT_TRANSLATE_NOOP("TMainForm", "OK №1"),
    QT_TRANSLATE_NOOP("TMainForm", "OK №2"),
};

const std::array<const char*, kWorkModeItemCount> kWorkModeCaptions = {
    QT_TRANSLATE_NOOP("TMainForm", "ПЦН тревога"),
    QT_TRANSLATE_NOOP("TMainForm", "Контр. лампа"),
    QT_TRANSLATE_NOOP("TMainForm", "Взят/снят ( для охранного ШС)"),
    QT_TRANSLATE_NOOP("TMainForm", "Звуковой"),
    QT_TRANSLATE_NOOP("TMainForm", "Тревога"),
    QT_TRANSLATE_NOOP("TMainForm", "Исполнительный   ( для охранного ШС)"),
    QT_TRANSLATE_NOOP("TMainForm", "Специальный"),
};

const std::array<const char*, kSwitchTimeEntryCount> kSwitchTimeCaptions = {
    QT_TRANSLATE_NOOP("TMainForm", "---"),    QT_TRANSLATE_NOOP("TMainForm", "0.5 сек"),
    QT_TRANSLATE_NOOP("TMainForm", "1 сек"),  QT_TRANSLATE_NOOP("TMainForm", "5 сек"),
    QT_TRANSLATE_NOOP("TMainForm", "10 сек"), QT_TRANSLATE_NOOP("TMainForm", "20 сек"),
    QT_TRANSLATE_NOOP("TMainForm", "30 сек"), QT_TRANSLATE_NOOP("TMainForm", "пост."),
};

const std::array<const char*, kDurationEntryCount> kDurationCaptions = {
    QT_TRANSLATE_NOOP("TMainForm", "---"),      QT_TRANSLATE_NOOP("TMainForm", "20 сек"),
    QT_TRANSLATE_NOOP("TMainForm", "40 сек"),   QT_TRANSLATE_NOOP("TMainForm", "1 мин"),
    QT_TRANSLATE_NOOP("TMainForm", "1 м 20 с"), QT_TRANSLATE_NOOP("TMainForm", "1 м 40 с"),
    QT_TRANSLATE_NOOP("TMainForm", "2 мин "),   QT_TRANSLATE_NOOP("TMainForm", "2 м 20 с"),
    QT_TRANSLATE_NOOP("TMainForm", "2 м 40 с"), QT_TRANSLATE_NOOP("TMainForm", "3 мин "),
    QT_TRANSLATE_NOOP("TMainForm", "3 м 20 с"), QT_TRANSLATE_NOOP("TMainForm", "3 м 40 с"),
    QT_TRANSLATE_NOOP("TMainForm", "4 мин "),   QT_TRANSLATE_NOOP("TMainForm", "4 м 20 с"),
    QT_TRANSLATE_NOOP("TMainForm", "4 м 40 с"), QT_TRANSLATE_NOOP("TMainForm", "пост."),
};

const std::array<const char*, kEventBoxCount> kEventBoxCaptions = {
    QT_TRANSLATE_NOOP("TMainForm", "Тревога/пожар"),
    QT_TRANSLATE_NOOP("TMainForm", "Неисправность пожарного ШС"),
    QT_TRANSLATE_NOOP("TMainForm", "Внимание для пожарного ШС"),
    QT_TRANSLATE_NOOP("TMainForm", "Взятие по одному из ШС/Снятие "),
    QT_TRANSLATE_NOOP("TMainForm", "Взятие по всем ШС/Снятие "),
    QT_TRANSLATE_NOOP("TMainForm", "Вскрытие корпуса"),
    QT_TRANSLATE_NOOP("TMainForm", "Неисправность питания"),
};

QString WindowText(const char* source) {
    return QCoreApplication::translate(kWindowContext, source);
}

} // namespace velor::window
