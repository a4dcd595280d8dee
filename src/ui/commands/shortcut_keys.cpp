// The window's keys beside the mnemonics of its buttons: F1 opens the help, Ctrl+S saves,
// Ctrl+O loads and Ctrl+P shows the visit report. A key whose button is disabled says why in the
// status bar, as the commands that cannot run do, instead of doing nothing.

#include "ui/main_form.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

namespace {
// A key of the whole window and the button it presses.
struct ShortcutKey {
    QKeyCombination key;
    const char* button;
};
constexpr ShortcutKey kShortcutKeys[] = {
    {QKeyCombination(Qt::Key_F1), "HelpBitBtn"},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_S), "SaveButton"},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_O), "LoadButton"},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_P), "ReportButton"},
};
} // namespace

void TMainForm::WireShortcutKeys() {
    for (const ShortcutKey& shortcut : kShortcutKeys) {
        auto* button = Control<QPushButton>(QLatin1String(shortcut.button));
        auto* key = new QShortcut(QKeySequence(shortcut.key), this);
        key->setObjectName(QLatin1String(shortcut.button) + QLatin1String("Key"));
        connect(key, &QShortcut::activated, this, [this, button] { PressByKey(button); });
    }
}

void TMainForm::PressByKey(QPushButton* button) {
    if (button->isEnabled()) {
        button->click();
        return;
    }
    if (IsOperationRunning()) {
        SetStatusText(tr("Дождитесь окончания операции с прибором"));
    } else if (button->objectName() == QLatin1String("SaveButton")) {
        SetStatusText(tr("Сохранение в файл доступно в демо-режиме и при связи с прибором в "
                         "режиме «Смена настроек»"));
    } else {
        SetStatusText(tr("Загрузка из файла доступна в демо-режиме и при связи с прибором"));
    }
}
