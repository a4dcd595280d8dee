// What the window's settings were when they were last read, loaded, saved or written, told apart
// from the settings on screen by the fingerprint of their encoded image (not by a flag every
// control would have to set): only settings that differ are worth the question before a command
// or the closing replaces them. The settings a load, the factory settings or a history load
// replaced are kept for one step back (Ctrl+Z, "Отменить").

#include "settings/settings_codec.h"
#include "settings/settings_fingerprint.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/key_page.h"
#include "ui/settings_controls_adapter.h"

#include <QAction>
#include <QKeySequence>

#include <exception>

// The encoder never changes a control; an identifier it cannot encode gives no fingerprint, which
// differs from every kept one: such settings count as changed.
std::optional<SettingsImage> TMainForm::WindowImage() {
    try {
        UntracedWindowControls controls(*this);
        return ::EncodeSettings(controls);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QString TMainForm::WindowFingerprint() {
    const std::optional<SettingsImage> image = WindowImage();
    return image ? velor::settings::Fingerprint(*image) : QString();
}

void TMainForm::KeepWindowSettings() {
    keptFingerprint_ = WindowFingerprint();
}

void TMainForm::KeepWrittenSettings(const SettingsImage& written) {
    keptFingerprint_ = velor::settings::Fingerprint(written);
}

bool TMainForm::HasUnsavedChanges() {
    const QString now = WindowFingerprint();
    return now.isEmpty() || now != keptFingerprint_;
}

// "Сохранить" saves as the save command does and goes on only when the file was written;
// "Не сохранять" goes on; "Отмена" (or Escape) stops the command.
bool TMainForm::AskToSaveChanges() {
    if (!HasUnsavedChanges()) {
        return true;
    }
    MessageBoxRequest question =
        BoxRequest(tr("Сохранить изменения в файл?"), ProgramTitle(), BoxIcon::Question,
                   BoxOwner::Main, BoxButtons::SaveDiscardCancel, BoxResult::Save);
    question.discardText = tr("&Не сохранять");
    const BoxResult answer = Dialogs().MessageBox(question);
    if (answer == BoxResult::Discard) {
        return true;
    }
    if (answer != BoxResult::Save) {
        return false;
    }
    bool saved = false;
    RunGuarded(Dialogs(), [&] { saved = SaveConfiguration(); });
    return saved;
}

void TMainForm::RememberForUndo() {
    if (const std::optional<SettingsImage> image = WindowImage()) {
        undo_ = UndoStep{*image, keptFingerprint_};
        undoAction_->setEnabled(true);
    }
}

void TMainForm::UndoReplace() {
    if (!undo_ || IsOperationRunning() || !(SettingsMode || DemoMode)) {
        SetStatusText(tr("Нечего отменять"));
        return;
    }
    const UndoStep step = *undo_;
    undo_.reset();
    undoAction_->setEnabled(false);
    keyPage_->UncheckOneKeyModes();
    DecodeSettings(step.image);
    keptFingerprint_ = step.keptFingerprint;
    SetStatusText(tr("Прежние настройки возвращены в окно"));
}

void TMainForm::WireUndo() {
    undoAction_ = new QAction(tr("Отменить"), this);
    undoAction_->setObjectName(QStringLiteral("UndoAction"));
    undoAction_->setShortcut(QKeySequence::Undo);
    undoAction_->setShortcutContext(Qt::WindowShortcut);
    undoAction_->setEnabled(false);
    addAction(undoAction_);
    connect(undoAction_, &QAction::triggered, this,
            [this] { RunGuarded(Dialogs(), [this] { UndoReplace(); }); });
}
