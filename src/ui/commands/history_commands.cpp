// "История": the snapshots of the device's settings kept before each settings write. The
// technician reads one, compares it with the window's settings, loads it into the window (to
// write it back) or saves it as a configuration file elsewhere.

#include "settings/cfg_format.h"
#include "settings/settings_diff.h"
#include "settings/settings_fingerprint.h"
#include "settings/settings_history.h"
#include "settings/settings_text.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/key_page.h"
#include "ui/window_locale.h"

#include <QDir>
#include <QListWidget>
#include <QLocale>

#include <exception>

using velor::settings::DiffSettings;
using velor::settings::kShortFingerprintDigits;

namespace {

HistoryEntryView ViewOf(const HistoryEntry& entry) {
    HistoryEntryView view;
    view.when = WindowLocale().toString(entry.time, QLocale::ShortFormat);
    view.device = TMainForm::DeviceText(entry.deviceType, entry.version);
    // A snapshot whose file no longer matches its record is marked, so a damaged way back shows.
    const QString mark = SnapshotStateMark(entry.state);
    view.fingerprint = entry.fingerprint.left(kShortFingerprintDigits) +
                       (mark.isEmpty() ? QString() : QLatin1Char(' ') + mark);
    view.path = QDir::toNativeSeparators(entry.path);
    return view;
}

// The text of a view, or the reason the snapshot could not be read.
template <class Text> QString Guarded(Text&& text) {
    try {
        return text();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
}

} // namespace

void TMainForm::HistoryButtonClick() {
    if (IsOperationRunning()) {
        SetStatusText(tr("Дождитесь окончания операции с прибором"));
        return;
    }
    RunGuarded(Dialogs(), [this] { ShowHistory(); });
}

void TMainForm::ShowHistory() {
    const std::vector<HistoryEntry> entries = SettingsHistory(HistoryFolder()).List();
    HistoryRequest request;
    for (const HistoryEntry& entry : entries) {
        request.entries.push_back(ViewOf(entry));
    }
    request.report = [entries](int i) {
        return Guarded([&] {
            const SettingsImage image = LoadCfgFile(entries.at(std::size_t(i)).path);
            return tr("Отпечаток: %1").arg(velor::settings::ShortFingerprint(image)) +
                   QStringLiteral("\n\n") + velor::settings::SettingsPagesText(image);
        });
    };
    request.compare = [this, entries](int i) {
        return Guarded(
            [&] { return CompareWithWindow(LoadCfgFile(entries.at(std::size_t(i)).path)); });
    };
    request.reviewBeforeWrite = ReviewsWrites();
    const HistoryChoice choice = Dialogs().ShowHistory(request);
    SetReviewsWrites(choice.reviewBeforeWrite);
    if (choice.action == HistoryAction::None || choice.entry < 0 ||
        choice.entry >= static_cast<int>(entries.size())) {
        return;
    }
    const QString path = entries[std::size_t(choice.entry)].path;
    if (choice.action == HistoryAction::SaveAs) {
        SaveImageAs(LoadCfgFile(path));
    } else {
        LoadSnapshot(path);
    }
}

// "snapshot value → window value" per differing field.
QString TMainForm::CompareWithWindow(const SettingsImage& snapshot) {
    Control<QListWidget>(QStringLiteral("ListBox2"))->clear(); // the encoder's trace
    const std::vector<velor::settings::FieldChange> changes =
        DiffSettings(snapshot, EncodeSettings());
    if (changes.empty()) {
        return tr("Нет изменений: в окне те же настройки, что в снимке");
    }
    QStringList lines{tr("Снимок → окно, различающихся полей: %1").arg(changes.size()), QString()};
    lines << velor::settings::ChangeLines(changes);
    return lines.join(QLatin1Char('\n'));
}

// Into the window as a loaded configuration file would go; only where the settings pages are.
void TMainForm::LoadSnapshot(const QString& path) {
    if (LoadImageIntoWindow(
            LoadCfgFile(path),
            tr("Снимок загружается в окно в режимах «Смена настроек» и «Демо-режим»"))) {
        SetStatusText(tr("В окно загружен снимок %1").arg(QDir::toNativeSeparators(path)));
    }
}

bool TMainForm::LoadImageIntoWindow(const SettingsImage& image, const QString& refused) {
    if (!(SettingsMode || DemoMode)) {
        SetStatusText(refused);
        return false;
    }
    if (!AskToSaveChanges()) {
        return false;
    }
    RememberForUndo();
    keyPage_->UncheckOneKeyModes();
    DecodeSettings(image);
    KeepWindowSettings();
    return true;
}
